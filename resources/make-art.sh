#!/bin/sh
# Redraws the program's artwork (icons and About pictures) with ImageMagick.
# Shapes only, no fonts, so the result does not depend on the installed fonts.
# Each picture is drawn at several times its size and scaled down for smooth
# edges; PNG date chunks are left out so that a redraw gives the same files.
# Usage: sh resources/make-art.sh   (from anywhere)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$here/icons" "$here/about"

save() { # save OUTPUT SIZE, reading the big drawing from standard input
    convert - -resize "$2!" -depth 8 -strip -define png:exclude-chunks=date,time "$1"
}

# Eight rays around (cx, cy) from radius r1 to r2, as a -draw list of lines.
rays() {
    awk -v cx="$1" -v cy="$2" -v r1="$3" -v r2="$4" 'BEGIN {
        for (i = 0; i < 8; i++) {
            a = i * 3.14159265358979 / 4
            printf "line %.1f,%.1f %.1f,%.1f ", cx + r1 * cos(a), cy + r1 * sin(a), cx + r2 * cos(a), cy + r2 * sin(a)
        }
    }'
}

# The question mark's hook: an arc over the top, then down to the stem.
hook() {
    awk 'BEGIN {
        for (d = 190; d <= 400; d += 10) {
            a = d * 3.14159265358979 / 180
            printf "%.1f,%.1f ", 128 + 42 * cos(a), 96 + 42 * sin(a)
        }
        printf "130,146 128,150 128,170"
    }'
}

# Sun in the window: bright sun, 16 x 16.
convert -size 128x128 xc:none -stroke '#F08000' -strokewidth 16 -draw "$(rays 64 64 36 62)" \
    -fill '#FFD700' -strokewidth 6 -draw "circle 64,64 64,32" png:- | save "$here/icons/solon.png" 16x16

# No Sun in the window: grey sun, crossed out in red.
convert -size 128x128 xc:none -stroke '#808080' -strokewidth 16 -draw "$(rays 64 64 36 62)" \
    -fill '#C8C8C8' -strokewidth 6 -draw "circle 64,64 64,32" \
    -stroke '#D01010' -strokewidth 14 -draw "line 18,110 110,18" png:- | save "$here/icons/soloff.png" 16x16

# The sun moving over the panorama: small, round, on a transparent ground.
convert -size 120x120 xc:none -stroke '#FF8C00' -strokewidth 14 -draw "$(rays 60 60 34 58)" \
    -fill '#FFE000' -strokewidth 6 -draw "circle 60,60 60,28" png:- | save "$here/icons/imsol.png" 15x15

# Back to now: a clock.
convert -size 256x256 xc:none -fill white -stroke '#203880' -strokewidth 16 -draw "circle 128,128 128,22" \
    -stroke '#203880' -strokewidth 10 -draw "line 128,40 128,58 line 216,128 198,128 line 128,216 128,198 line 40,128 58,128" \
    -stroke '#101010' -strokewidth 14 -draw "line 128,128 128,56" \
    -stroke '#101010' -strokewidth 18 -draw "line 128,128 176,152" \
    -stroke none -fill '#C02020' -draw "circle 128,128 128,116" png:- | save "$here/icons/command3.png" 32x32

# Reduce to the notification area: an arrow going down into a bar.
convert -size 256x256 xc:none -fill '#2A6FD0' -stroke '#123A78' -strokewidth 8 \
    -draw "polygon 100,20 156,20 156,110 200,110 128,186 56,110 100,110" \
    -fill '#505050' -stroke '#202020' -draw "roundrectangle 20,200 236,236 10,10" png:- | save "$here/icons/command4.png" 32x32

# Information: a white "i" on a blue disc.
convert -size 256x256 xc:none -fill '#1E64C8' -stroke '#0E3A80' -strokewidth 10 -draw "circle 128,128 128,14" \
    -fill white -stroke none -draw "circle 128,72 128,52" -draw "roundrectangle 110,104 146,204 10,10" \
    png:- | save "$here/icons/command5.png" 32x32

# Map: a red pin standing on a patch of ground.
convert -size 256x256 xc:none -fill '#58A848' -stroke '#2E6A28' -strokewidth 6 -draw "ellipse 128,226 100,24 0,360" \
    -fill '#D02828' -stroke '#801010' -strokewidth 8 -draw "polygon 74,128 182,128 128,232" \
    -draw "circle 128,96 128,28" -stroke none -draw "rectangle 80,110 176,132" \
    -fill white -draw "circle 128,96 128,70" png:- | save "$here/icons/command6.png" 32x32

# Help: a white question mark on a green disc.
convert -size 256x256 xc:none -fill '#2E9E44' -stroke '#18602A' -strokewidth 10 -draw "circle 128,128 128,14" \
    -fill none -stroke white -strokewidth 28 -draw "stroke-linecap round stroke-linejoin round polyline $(hook)" \
    -fill white -stroke none -draw "circle 128,204 128,186" png:- | save "$here/icons/command7.png" 32x32

# About box, beside the Quorel link: a house facade in the sun.
convert -size 400x326 gradient:'#5DA8F0'-'#CDE6FA' \
    -stroke '#FFB000' -strokewidth 8 -draw "$(rays 62 58 46 80)" \
    -stroke none -fill '#FFD21F' -draw "circle 62,58 62,22" \
    -fill '#6AAE4A' -draw "rectangle 0,282 400,326" \
    -fill '#F2DDB4' -stroke '#8A6A3A' -strokewidth 4 -draw "rectangle 130,150 360,288" \
    -fill '#B0402A' -draw "polygon 112,154 245,62 378,154" \
    -fill '#7A4A24' -draw "rectangle 220,210 268,288" \
    -fill '#9CCFF2' -stroke white -strokewidth 6 \
    -draw "rectangle 152,176 200,224 rectangle 292,176 340,224 rectangle 226,92 266,132" \
    -stroke '#FFF3A0' -strokewidth 5 -draw "line 158,182 194,218 line 298,182 334,218" \
    png:- | save "$here/about/image1.png" 200x163

# About box, decorative: a window with the Sun in it.
convert -size 272x400 xc:'#3C3C3C' \
    -fill '#7FC0F4' -stroke '#6B4423' -strokewidth 18 -draw "rectangle 40,40 232,340" \
    -stroke '#FFB000' -strokewidth 7 -draw "$(rays 180 110 40 64)" \
    -stroke none -fill '#FFD21F' -draw "circle 180,110 180,80" \
    -fill '#5DA04A' -draw "rectangle 49,270 223,331" \
    -fill none -stroke '#6B4423' -strokewidth 12 -draw "line 136,40 136,340 line 40,190 232,190" \
    -fill '#C23B3B' -stroke '#7A1E1E' -strokewidth 4 \
    -draw "polygon 20,24 84,24 60,200 70,370 20,370" -draw "polygon 252,24 188,24 212,200 202,370 252,370" \
    -fill '#8A5A32' -stroke none -draw "rectangle 10,12 262,28 rectangle 24,340 248,362" \
    png:- | save "$here/about/image2.png" 136x200
