<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr_FR">
<context>
    <name>Autostart</name>
    <message>
        <source>Le chemin de Lumora n&apos;est pas connu.</source>
        <translation>The path of Lumora is not known.</translation>
    </message>
    <message>
        <source>Le chemin de Lumora contient un nom qui n&apos;est pas en UTF-8 valide ou un caractère de contrôle : une entrée de démarrage ne peut pas le désigner.</source>
        <translation>The path of Lumora holds a name that is not valid UTF-8 or a control character: a start-up entry cannot name it.</translation>
    </message>
    <message>
        <source>Aucun dossier personnel n&apos;est connu (HOME).</source>
        <translation>No home folder is known (HOME).</translation>
    </message>
    <message>
        <source>Le dossier %1 n&apos;a pas pu être créé.</source>
        <translation>The folder %1 could not be created.</translation>
    </message>
</context>
<context>
    <name>Dials</name>
    <message>
        <source>O</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Azimut</source>
        <translation>Azimuth</translation>
    </message>
    <message>
        <source>Hauteur</source>
        <translation>Elevation</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>le disque est plein</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>le fichier est trop gros</source>
        <translation>the file is too large</translation>
    </message>
</context>
<context>
    <name>KeptWindows</name>
    <message>
        <source>une fenêtre sans nom</source>
        <translation>a window without a name</translation>
    </message>
    <message>
        <source>la fenêtre « %1 » : cadre absent</source>
        <translation>window “%1”: no frame</translation>
    </message>
    <message>
        <source>la fenêtre « %1 » : cadre illisible</source>
        <translation>window “%1”: unreadable frame</translation>
    </message>
    <message>
        <source>la fenêtre « %1 » : fuseau horaire inconnu « %2 »</source>
        <translation>window “%1”: unknown time zone “%2”</translation>
    </message>
    <message>
        <source>la fenêtre « %1 » : nom déjà pris</source>
        <translation>window “%1”: name already taken</translation>
    </message>
    <message>
        <source>Fenêtre enregistrée ignorée (%1) : %2</source>
        <translation>Kept window left out (%1): %2</translation>
    </message>
</context>
<context>
    <name>Lumora</name>
    <message>
        <source>Dit si le Soleil se voit par une fenêtre, maintenant ou à un moment choisi, et quand il y entre ou en sort.</source>
        <translation>Tells whether the Sun can be seen through a window, now or at a chosen moment, and when it next comes in or goes out.</translation>
    </message>
    <message>
        <source>Démarre dans la zone de notification, la fenêtre cachée (la fenêtre s&apos;affiche quand il n&apos;y a pas de zone de notification).</source>
        <translation>Starts in the notification area with the window hidden (the window is shown when there is no notification area).</translation>
    </message>
</context>
<context>
    <name>ReplacedFile</name>
    <message>
        <source>%1 n&apos;est pas un fichier ordinaire</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>un autre fichier d&apos;ensoleillement ou une autre exportation est en train d&apos;écrire %1</source>
        <translation>another survey or export is writing %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>des valeurs y sont imbriquées trop profondément</source>
        <translation>values in it are nested too deeply</translation>
    </message>
</context>
<context>
    <name>SkylineFile</name>
    <message>
        <source>Ligne %1 : l&apos;élévation %2° n&apos;est pas comprise entre -90° et 90°.</source>
        <translation>Line %1: the elevation %2° is not between -90° and 90°.</translation>
    </message>
    <message>
        <source>Ligne %1 : l&apos;azimut %2° est déjà donné avec une autre élévation.</source>
        <translation>Line %1: the azimuth %2° is already given with another elevation.</translation>
    </message>
    <message>
        <source>Ligne %1 : « %2 » n&apos;est pas un point (azimut et élévation en degrés).</source>
        <translation>Line %1: “%2” is not a point (azimuth and elevation in degrees).</translation>
    </message>
    <message>
        <source>Ligne %1 : aucune ligne de valeurs sous l&apos;en-tête.</source>
        <translation>Line %1: no line of values under the header.</translation>
    </message>
    <message>
        <source>Aucun point d&apos;horizon dans ce fichier.</source>
        <translation>No skyline point in this file.</translation>
    </message>
    <message>
        <source>Impossible de lire le fichier %1.</source>
        <translation>Cannot read the file %1.</translation>
    </message>
    <message>
        <source>Le fichier %1 est trop gros pour un horizon.</source>
        <translation>The file %1 is too large for a skyline.</translation>
    </message>
</context>
<context>
    <name>SunAlerts</name>
    <message>
        <source>à %1</source>
        <translation>at %1</translation>
    </message>
    <message>
        <source>demain à %1</source>
        <translation>tomorrow at %1</translation>
    </message>
    <message>
        <source>le %1 à %2</source>
        <translation>on %1 at %2</translation>
    </message>
    <message>
        <source>Entrée du Soleil %1</source>
        <translation>Sun enters %1</translation>
    </message>
    <message>
        <source>Sortie du Soleil %1</source>
        <translation>Sun leaves %1</translation>
    </message>
    <message>
        <source>Pas de sortie du Soleil aujourd&apos;hui</source>
        <translation>The Sun does not leave the window today</translation>
    </message>
    <message>
        <source>Pas de Soleil dans la fenêtre aujourd&apos;hui</source>
        <translation>No Sun in the window today</translation>
    </message>
    <message>
        <source>Le Soleil entrera dans la fenêtre à %1</source>
        <translation>The Sun will enter the window at %1</translation>
    </message>
    <message>
        <source>Dans %1 minutes, pour %2.</source>
        <translation>In %1 minutes, for %2.</translation>
    </message>
    <message>
        <source>Dans %1 minutes.</source>
        <translation>In %1 minutes.</translation>
    </message>
    <message>
        <source>Le Soleil entre dans la fenêtre</source>
        <translation>The Sun enters the window</translation>
    </message>
    <message>
        <source>À %1, pour %2 (sortie %3).</source>
        <translation>At %1, for %2 (leaves %3).</translation>
    </message>
    <message>
        <source>À %1, pour plus d&apos;une journée.</source>
        <translation>At %1, for more than a day.</translation>
    </message>
    <message>
        <source>À %1.</source>
        <translation>At %1.</translation>
    </message>
    <message>
        <source>Le Soleil quitte la fenêtre</source>
        <translation>The Sun leaves the window</translation>
    </message>
    <message>
        <source>À %1. Prochaine entrée %2.</source>
        <translation>At %1. Next entry %2.</translation>
    </message>
    <message>
        <source>À %1. Pas de nouvelle entrée avant demain.</source>
        <translation>At %1. No new entry before tomorrow.</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SunCourse</name>
    <message>
        <source>%1 h</source>
        <translation>%1h</translation>
    </message>
</context>
<context>
    <name>SunIntervals</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Pas de Soleil dans la fenêtre ce jour</source>
        <translation>No Sun in the window this day</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre : %1 (%2)</source>
        <translation>Sun in the window: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>SurveyFailure</name>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>Le disque est plein : le fichier d&apos;ensoleillement n&apos;a pas pu être écrit.</source>
        <translation>The disk is full: the sunshine file could not be written.</translation>
    </message>
    <message>
        <source>Le fichier est trop gros : le fichier d&apos;ensoleillement n&apos;a pas pu être écrit.</source>
        <translation>The file is too large: the sunshine file could not be written.</translation>
    </message>
    <message>
        <source>fermer le fichier dans excel</source>
        <translation>close the file in the spreadsheet program</translation>
    </message>
</context>
<context>
    <name>lumora::About</name>
    <message>
        <source>Site de logiciels gratuits </source>
        <translation>Free software website </translation>
    </message>
    <message>
        <source>A Propos...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Si vous désirez faire une recherche d&apos;ensoleillement annuel d&apos;une terrasse, d&apos;une facade, je vous conseille d&apos;aller visiter le site de Quorel :</source>
        <translation>If you wish to study the sunshine of a terrace or a facade over a whole year, I suggest a visit to the Quorel website:</translation>
    </message>
    <message>
        <source>Ce logiciel est gratuit et fourni tel quel, sans garantie sur l&apos;exactitude des résultats.</source>
        <translation>This program is free and provided as is, with no warranty on the accuracy of its results.</translation>
    </message>
    <message>
        <source>Envoyer un coucou à l&apos;auteur...</source>
        <translation>Say hello to the author...</translation>
    </message>
    <message>
        <source>Les formules de calcul sont tirées des livres d&apos;astronomie de Jean Meeus.</source>
        <translation>The formulas come from Jean Meeus&apos; astronomy books.</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>lumora::AlertActions</name>
    <message>
        <source>Alertes</source>
        <translation>Alerts</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>5 minutes avant</source>
        <translation>5 minutes before</translation>
    </message>
    <message>
        <source>15 minutes avant</source>
        <translation>15 minutes before</translation>
    </message>
    <message>
        <source>30 minutes avant</source>
        <translation>30 minutes before</translation>
    </message>
    <message>
        <source>Démarrer avec la session</source>
        <translation>Start with the session</translation>
    </message>
    <message>
        <source>Prévenir à l&apos;avance</source>
        <translation>Warn ahead</translation>
    </message>
</context>
<context>
    <name>lumora::AzimuthOverlay</name>
    <message>
        <source>Transparence</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Azimut</source>
        <translation>Azimuth</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>lumora::DesktopNotifier</name>
    <message>
        <source>Afficher Lumora</source>
        <translation>Show Lumora</translation>
    </message>
</context>
<context>
    <name>lumora::KeptWindowsMenu</name>
    <message>
        <source>Fenêtres</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Enregistrer sous…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>Renommer…</source>
        <translation>Rename…</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Fuseau horaire…</source>
        <translation>Time zone…</translation>
    </message>
    <message>
        <source>Enregistrer la fenêtre</source>
        <translation>Save the window</translation>
    </message>
    <message>
        <source>Nom de la fenêtre :</source>
        <translation>Name of the window:</translation>
    </message>
    <message>
        <source>Une fenêtre « %1 » existe déjà. La remplacer ?</source>
        <translation>A window “%1” already exists. Replace it?</translation>
    </message>
    <message>
        <source>Renommer la fenêtre</source>
        <translation>Rename the window</translation>
    </message>
    <message>
        <source>Nouveau nom :</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>Une fenêtre « %1 » existe déjà.</source>
        <translation>A window “%1” already exists.</translation>
    </message>
    <message>
        <source>Supprimer la fenêtre</source>
        <translation>Delete the window</translation>
    </message>
    <message>
        <source>Supprimer la fenêtre « %1 » ?</source>
        <translation>Delete the window “%1”?</translation>
    </message>
</context>
<context>
    <name>lumora::MainWindow</name>
    <message>
        <source>%1 (TU)</source>
        <translation>%1 (UT)</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Hauteur du centre du Soleil (sans tenir compte de la réfraction atmosphérique).</source>
        <translation>Elevation of the Sun&apos;s centre (without atmospheric refraction).</translation>
    </message>
    <message>
        <source>Azimut du centre du Soleil.</source>
        <translation>Azimuth of the Sun&apos;s centre.</translation>
    </message>
    <message>
        <source>Fichier Ensoleillement.</source>
        <translation>Sunshine file.</translation>
    </message>
    <message>
        <source>1 heure</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 minutes</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>Retour au temps réel, date du jour</source>
        <translation>Back to real time, today&apos;s date</translation>
    </message>
    <message>
        <source>Recherche</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Voir la recherche</source>
        <translation>Show the search</translation>
    </message>
    <message>
        <source>Prochaine Entrée</source>
        <translation>Next Entry</translation>
    </message>
    <message>
        <source>Heure TU</source>
        <translation>UT time</translation>
    </message>
    <message>
        <source>Nord</source>
        <translation>North</translation>
    </message>
    <message>
        <source>Sud</source>
        <translation>South</translation>
    </message>
    <message>
        <source>Est</source>
        <translation>East</translation>
    </message>
    <message>
        <source>Ouest</source>
        <translation>West</translation>
    </message>
    <message>
        <source>Google Map</source>
        <translation>Google Map</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>HeeeeeeeeelP</source>
        <translation>HeeeeeeeeelP</translation>
    </message>
    <message>
        <source>Réduire</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Le fichier de réglages ne peut pas être lu : Lumora démarre avec les réglages d&apos;origine, et ceux de cette séance ne seront pas enregistrés.</source>
        <translation>The settings file cannot be read: Lumora starts with its original settings, and those of this session will not be saved.</translation>
    </message>
    <message>
        <source>Impossible de lire %1 : %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>raison inconnue</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>Les réglages n&apos;ont pas pu être enregistrés : les changements de cette séance sont perdus.</source>
        <translation>The settings could not be saved: the changes of this session are lost.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>L&apos;aide n&apos;a pas pu être ouverte : %1</source>
        <translation>The help could not be opened: %1</translation>
    </message>
    <message>
        <source>Module Azimut</source>
        <translation>Azimuth module</translation>
    </message>
    <message>
        <source>Utiliser le module transparent au dessus de Goooogle map pour déterminer un azimut. <byte value="xd"/>
- Voulez-vous lancer gooogle map maintenant ?</source>
        <translation>Use the see-through module over Goooogle map to find an azimuth. <byte value="xd"/>
- Do you want to start gooogle map now?</translation>
    </message>
    <message>
        <source>Temps réel</source>
        <translation>Real time</translation>
    </message>
    <message>
        <source>Prochaine Sortie</source>
        <translation>Next Exit</translation>
    </message>
    <message>
        <source>Calcul impossible : vérifiez la date (année entre -32767 et 32767) et les coordonnées du lieu.</source>
        <translation>Cannot compute: check the date (year between -32767 and 32767) and the site&apos;s coordinates.</translation>
    </message>
    <message>
        <source>Choisissez le pas du fichier d&apos;ensoleillement : 1 heure, 30 minutes, 10 minutes ou 1 minute.</source>
        <translation>Choose the sunshine file&apos;s step: 1 hour, 30 minutes, 10 minutes or 1 minute.</translation>
    </message>
    <message>
        <source>Aucune entrée du Soleil en un an</source>
        <translation>No entry of the Sun within a year</translation>
    </message>
    <message>
        <source>Aucune sortie du Soleil en un an</source>
        <translation>No exit of the Sun within a year</translation>
    </message>
    <message>
        <source>Recherche arrêtée</source>
        <translation>Search stopped</translation>
    </message>
    <message>
        <source>Le fichier d&apos;ensoleillement a été écrit dans :
%1</source>
        <translation>The sunshine file was written to:
%1</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre — année…</source>
        <translation>Sun in the window — year…</translation>
    </message>
    <message>
        <source>Le démarrage avec la session n&apos;a pas pu être réglé.</source>
        <translation>Starting with the session could not be set.</translation>
    </message>
    <message>
        <source>Des fenêtres enregistrées sont illisibles : elles sont ignorées, les autres sont gardées.</source>
        <translation>Some kept windows cannot be read: they are left out, the others are kept.</translation>
    </message>
</context>
<context>
    <name>lumora::MeasuredWindowDialog</name>
    <message>
        <source>Orientation</source>
        <translation>Facing</translation>
    </message>
    <message>
        <source>Direction vers laquelle la fenêtre regarde dehors : 0° nord, 90° est, 180° sud, 270° ouest.</source>
        <translation>The direction the window looks out to: 0° north, 90° east, 180° south, 270° west.</translation>
    </message>
    <message>
        <source>Inclinaison</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <source>90° pour une fenêtre dans un mur, moins pour une fenêtre de toit (0° : à plat).</source>
        <translation>90° for a window in a wall, less for a roof window (0°: flat).</translation>
    </message>
    <message>
        <source>Largeur</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Largeur de l&apos;ouverture.</source>
        <translation>Width of the opening.</translation>
    </message>
    <message>
        <source>Hauteur</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Hauteur de l&apos;ouverture, le long de la fenêtre.</source>
        <translation>Height of the opening, along the window.</translation>
    </message>
    <message>
        <source>Allège</source>
        <translation>Sill</translation>
    </message>
    <message>
        <source>Hauteur du bas de l&apos;ouverture au-dessus du sol de la pièce.</source>
        <translation>Height of the opening&apos;s lower edge above the room&apos;s floor.</translation>
    </message>
    <message>
        <source>Épaisseur du mur</source>
        <translation>Wall depth</translation>
    </message>
    <message>
        <source>Profondeur de l&apos;embrasure entre la face intérieure et la face extérieure (0 : aucune).</source>
        <translation>Depth of the reveal between the inner and the outer face (0: none).</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Distance au sol entre le point qui doit voir le Soleil et le bas de la fenêtre (pour une fenêtre murale : la face intérieure du mur).</source>
        <translation>Distance along the floor from the spot that should see the Sun to the window&apos;s lower edge (for a wall window: the wall&apos;s inner face).</translation>
    </message>
    <message>
        <source>Décalage latéral</source>
        <translation>Lateral offset</translation>
    </message>
    <message>
        <source>Écart du point par rapport au milieu de la fenêtre, positif vers la droite en regardant dehors.</source>
        <translation>How far the spot is from the window&apos;s middle, positive to the right looking out.</translation>
    </message>
    <message>
        <source>Hauteur du point</source>
        <translation>Height of the spot</translation>
    </message>
    <message>
        <source>Hauteur au-dessus du sol des yeux, du bureau ou de la plante qui doit voir le Soleil.</source>
        <translation>Height above the floor of the eyes, the desk or the plant that should see the Sun.</translation>
    </message>
    <message>
        <source>Fenêtre mesurée</source>
        <translation>Measured window</translation>
    </message>
    <message>
        <source>Utiliser la fenêtre mesurée</source>
        <translation>Use the measured window</translation>
    </message>
    <message>
        <source>Le Soleil est dans la fenêtre quand il se voit du point choisi à travers l&apos;ouverture, au lieu du cadre rouge réglé par les barres.</source>
        <translation>The Sun is in the window when it can be seen from the chosen spot through the opening, instead of the red frame set with the bars.</translation>
    </message>
    <message>
        <source>Fenêtre</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Ouverture</source>
        <translation>Opening</translation>
    </message>
    <message>
        <source>Point qui doit voir le Soleil</source>
        <translation>Spot that should see the Sun</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ces mesures ne décrivent pas une fenêtre possible : vérifiez « %1 ».</source>
        <translation>These measurements describe no possible window: check “%1”.</translation>
    </message>
</context>
<context>
    <name>lumora::PhotoController</name>
    <message>
        <source>Préparation de la photo…</source>
        <translation>Preparing the photo…</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>Choisir une photo…</source>
        <translation>Choose a photo…</translation>
    </message>
    <message>
        <source>Placer la photo…</source>
        <translation>Place the photo…</translation>
    </message>
    <message>
        <source>Opacité de la photo</source>
        <translation>Photo opacity</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Cadre sur la photo</source>
        <translation>Frame on the photo</translation>
    </message>
    <message>
        <source>Horizon sur la photo</source>
        <translation>Skyline on the photo</translation>
    </message>
    <message>
        <source>Sans photo</source>
        <translation>No photo</translation>
    </message>
    <message>
        <source>La photo affichée n&apos;a pas changé.</source>
        <translation>The photo on show has not changed.</translation>
    </message>
    <message>
        <source>Le panorama reste uni ; les autres réglages sont conservés.</source>
        <translation>The panorama stays plain; the other settings are kept.</translation>
    </message>
    <message>
        <source>Choisir une photo</source>
        <translation>Choose a photo</translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff);;Tous les fichiers (*)</source>
        <translation>Photos (*.jpg *.jpeg *.png *.webp *.tif *.tiff);;All files (*)</translation>
    </message>
    <message>
        <source>La photo « %1 » n&apos;a pas pu être préparée.</source>
        <translation>The photo “%1” could not be prepared.</translation>
    </message>
</context>
<context>
    <name>lumora::PhotoPanorama</name>
    <message>
        <source>La photo « %1 » est introuvable.</source>
        <translation>The photo “%1” cannot be found.</translation>
    </message>
    <message>
        <source>La photo « %1 » est trop grande : %2 mégapixels, %3 au plus.</source>
        <translation>The photo “%1” is too large: %2 megapixels, %3 at most.</translation>
    </message>
    <message>
        <source>La photo « %1 » ne peut pas être lue : ce n&apos;est pas une image connue, ou le fichier est abîmé.</source>
        <translation>The photo “%1” cannot be read: it is not a known kind of picture, or the file is damaged.</translation>
    </message>
</context>
<context>
    <name>lumora::PhotoPlacementDialog</name>
    <message>
        <source>Placer la photo</source>
        <translation>Place the photo</translation>
    </message>
    <message>
        <source>Photo ordinaire</source>
        <translation>Ordinary photo</translation>
    </message>
    <message>
        <source>Photo 360° (équirectangulaire)</source>
        <translation>360° photo (equirectangular)</translation>
    </message>
    <message>
        <source>Projection</source>
        <translation>Projection</translation>
    </message>
    <message>
        <source>Azimut du centre</source>
        <translation>Azimuth of the centre</translation>
    </message>
    <message>
        <source>Hauteur du centre</source>
        <translation>Elevation of the centre</translation>
    </message>
    <message>
        <source>Rotation (sens horaire)</source>
        <translation>Roll (clockwise)</translation>
    </message>
    <message>
        <source>Champ horizontal</source>
        <translation>Horizontal field of view</translation>
    </message>
    <message>
        <source>Pour une photo 360°, l&apos;azimut de son bord gauche.</source>
        <translation>For a 360° photo, the azimuth of its left edge.</translation>
    </message>
    <message>
        <source>Proposé d&apos;après les données EXIF de la photo quand elles le donnent.</source>
        <translation>Proposed from the photo&apos;s EXIF data when they give it.</translation>
    </message>
    <message>
        <source>Saisir les valeurs</source>
        <translation>Type the values</translation>
    </message>
    <message>
        <source>Cliquer le Soleil</source>
        <translation>Click the Sun</translation>
    </message>
    <message>
        <source>Deux repères</source>
        <translation>Two landmarks</translation>
    </message>
    <message>
        <source>Le panorama suit chaque valeur saisie.</source>
        <translation>The panorama follows each value typed.</translation>
    </message>
    <message>
        <source>Cliquez le centre du Soleil sur la photo. Le champ et la rotation restent ceux saisis ; l&apos;heure est celle de la prise de vue.</source>
        <translation>Click the centre of the Sun on the photo. The field of view and the roll stay as typed; the time is when the photo was taken.</translation>
    </message>
    <message>
        <source>Cliquez deux repères sur la photo (le repère coché reçoit le clic) et donnez leur azimut, lu par exemple sur la carte, et leur hauteur si vous la connaissez.</source>
        <translation>Click two landmarks on the photo (the ticked landmark takes the click) and give their azimuth, read on the map for example, and their elevation if you know it.</translation>
    </message>
    <message>
        <source>Repère %1</source>
        <translation>Landmark %1</translation>
    </message>
    <message>
        <source>à cliquer</source>
        <translation>to click</translation>
    </message>
    <message>
        <source>hauteur</source>
        <translation>elevation</translation>
    </message>
    <message>
        <source>Calage</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Heure de la photo, UTC%1%2:%3.</source>
        <translation>Time of the photo, UTC%1%2:%3.</translation>
    </message>
    <message>
        <source>Heure de la photo, lue comme l&apos;heure locale du site : corrigez-la si l&apos;appareil n&apos;était pas à l&apos;heure.</source>
        <translation>Time of the photo, read as the site&apos;s local time: correct it if the camera&apos;s clock was wrong.</translation>
    </message>
    <message>
        <source>La photo ne dit pas quand elle a été prise : donnez l&apos;heure locale du site à laquelle elle l&apos;a été.</source>
        <translation>The photo does not say when it was taken: give the site&apos;s local time when it was.</translation>
    </message>
    <message>
        <source>placé</source>
        <translation>placed</translation>
    </message>
    <message>
        <source>Soleil</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Ces deux repères ne placent pas la photo : cliquez-les plus écartés, ou vérifiez leurs azimuts.</source>
        <translation>These two landmarks do not place the photo: click them further apart, or check their azimuths.</translation>
    </message>
    <message>
        <source>repère 1</source>
        <translation>landmark 1</translation>
    </message>
    <message>
        <source>repère 2</source>
        <translation>landmark 2</translation>
    </message>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Écart après le calage — %1</source>
        <translation>Residual after calibration — %1</translation>
    </message>
</context>
<context>
    <name>lumora::RealViewController</name>
    <message>
        <source>Fenêtre mesurée…</source>
        <translation>Measured window…</translation>
    </message>
    <message>
        <source>Horizon</source>
        <translation>Skyline</translation>
    </message>
    <message>
        <source>Importer l&apos;horizon…</source>
        <translation>Import the skyline…</translation>
    </message>
    <message>
        <source>Dessiner l&apos;horizon</source>
        <translation>Draw the skyline</translation>
    </message>
    <message>
        <source>Exporter l&apos;horizon…</source>
        <translation>Export the skyline…</translation>
    </message>
    <message>
        <source>Effacer l&apos;horizon</source>
        <translation>Clear the skyline</translation>
    </message>
    <message>
        <source>Ce fichier ne contient pas d&apos;horizon.</source>
        <translation>This file holds no skyline.</translation>
    </message>
    <message>
        <source>raison inconnue</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>Importer l&apos;horizon</source>
        <translation>Import the skyline</translation>
    </message>
    <message>
        <source>Horizons (*.csv *.txt *.dat);;Tous les fichiers (*)</source>
        <translation>Skylines (*.csv *.txt *.dat);;All files (*)</translation>
    </message>
    <message>
        <source>L&apos;horizon n&apos;a pas été importé : %1</source>
        <translation>The skyline was not imported: %1</translation>
    </message>
    <message>
        <source>Exporter l&apos;horizon</source>
        <translation>Export the skyline</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>L&apos;horizon n&apos;a pas pu être enregistré dans %1</source>
        <translation>The skyline could not be saved to %1</translation>
    </message>
    <message>
        <source>Horizon : clic = ajouter un point, glisser = le déplacer, clic droit = l&apos;enlever, Échap = terminer</source>
        <translation>Skyline: click = add a point, drag = move it, right click = remove it, Esc = done</translation>
    </message>
</context>
<context>
    <name>lumora::SingleInstance</name>
    <message>
        <source>Lumora ne peut pas vérifier qu&apos;il n&apos;est pas déjà lancé : %1</source>
        <translation>Lumora cannot check that it is not already running: %1</translation>
    </message>
    <message>
        <source>aucun dossier n&apos;est à vous seul pour son verrou</source>
        <translation>no folder of your own for its lock</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas le fichier attendu</source>
        <translation>%1 is not the expected file</translation>
    </message>
    <message>
        <source>le verrou %1 ne peut pas être créé</source>
        <translation>the lock %1 cannot be made</translation>
    </message>
    <message>
        <source>Lumora est déjà lancé mais ne répond pas</source>
        <translation>Lumora is already running but does not respond</translation>
    </message>
</context>
<context>
    <name>lumora::SunCourseController</name>
    <message>
        <source>Course du Soleil ce jour</source>
        <translation>The Sun&apos;s course on this day</translation>
    </message>
    <message>
        <source>Solstices et équinoxe</source>
        <translation>Solstices and equinox</translation>
    </message>
    <message>
        <source>Lignes horaires (heure d&apos;hiver)</source>
        <translation>Hour lines (standard time)</translation>
    </message>
</context>
<context>
    <name>lumora::TrayIcon</name>
    <message>
        <source>Le Soleil est dans la fenêtre</source>
        <translation>The Sun is in the window</translation>
    </message>
    <message>
        <source>Il n&apos;y a pas de Soleil dans la fenêtre</source>
        <translation>There is no Sun in the window</translation>
    </message>
</context>
<context>
    <name>lumora::TrayMenu</name>
    <message>
        <source>Afficher Lumora</source>
        <translation>Show Lumora</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>lumora::YearChart</name>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>nuit</source>
        <translation>night</translation>
    </message>
    <message>
        <source>jour</source>
        <translation>daylight</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre</source>
        <translation>Sun in the window</translation>
    </message>
    <message>
        <source>Heures locales, jour par jour</source>
        <translation>Local hours, day by day</translation>
    </message>
</context>
<context>
    <name>lumora::YearPlot</name>
    <message>
        <source>Calcul en cours…</source>
        <translation>Computing…</translation>
    </message>
</context>
<context>
    <name>lumora::YearView</name>
    <message>
        <source>Soleil dans la fenêtre — année</source>
        <translation>Sun in the window — year</translation>
    </message>
    <message>
        <source>Exporter l&apos;image…</source>
        <translation>Export the picture…</translation>
    </message>
    <message>
        <source>Exporter les intervalles…</source>
        <translation>Export the intervals…</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Calcul en cours…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre du %1 au %2</source>
        <translation>Sun in the window from %1 to %2</translation>
    </message>
    <message>
        <source>Total sur l&apos;année : %1 h de Soleil dans la fenêtre</source>
        <translation>Year&apos;s total: %1 h of Sun in the window</translation>
    </message>
    <message>
        <source>%1 %2 (heure locale) — azimut %3, élévation %4 — %5
Ce jour : %6 de Soleil dans la fenêtre</source>
        <translation>%1 %2 (local time) — azimuth %3, elevation %4 — %5
This day: %6 of Sun in the window</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre</source>
        <translation>Sun in the window</translation>
    </message>
    <message>
        <source>hors de la fenêtre</source>
        <translation>outside the window</translation>
    </message>
    <message>
        <source>Survolez le calendrier pour lire un jour et une heure ; un clic les affiche dans la fenêtre principale.</source>
        <translation>Point at the calendar to read a day and an hour; a click shows them in the main window.</translation>
    </message>
    <message>
        <source>Exporter l&apos;image</source>
        <translation>Export the picture</translation>
    </message>
    <message>
        <source>Images PNG (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>L&apos;image n&apos;a pas pu être enregistrée dans %1</source>
        <translation>The picture could not be saved to %1</translation>
    </message>
    <message>
        <source>Exporter les intervalles</source>
        <translation>Export the intervals</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Le disque est plein : impossible d&apos;écrire %1</source>
        <translation>The disk is full: cannot write %1</translation>
    </message>
    <message>
        <source>Le fichier est trop gros : impossible d&apos;écrire %1</source>
        <translation>The file is too large: cannot write %1</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>lumora::ZoneChooser</name>
    <message>
        <source>Fuseau horaire</source>
        <translation>Time zone</translation>
    </message>
    <message>
        <source>Chercher un fuseau (ex. Paris, Toronto)</source>
        <translation>Search for a zone (e.g. Paris, Toronto)</translation>
    </message>
    <message>
        <source>Fuseau de l&apos;ordinateur (%1)</source>
        <translation>The computer&apos;s zone (%1)</translation>
    </message>
    <message>
        <source>Proposé pour ce lieu</source>
        <translation>Proposed for this site</translation>
    </message>
    <message>
        <source>Proposé pour ce lieu : %1 (sa ville de référence est à %2 km)</source>
        <translation>Proposed for this site: %1 (its reference city is %2 km away)</translation>
    </message>
</context>
</TS>
