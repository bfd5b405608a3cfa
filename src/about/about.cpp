// The About box.
#include "about/about.h"

#include "common/designfont.h"

#include "common/twips.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace lumora {

namespace {
const QColor kBackground(64, 64, 64);
const QColor kLightGrey(224, 224, 224);
const QColor kLinkColour(255, 224, 192);
const QColor kPink(255, 128, 128);

// A transparent label with its text colour, font and place.
QLabel *label(QWidget *parent, const QString &name, const QString &text, const QColor &colour, const QFont &f,
              const QRect &place)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setFont(f);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setGeometry(place);
    return l;
}

// A one-line label shows its whole text even where the fallback font is wider
// than the design font: it grows to the right instead of wrapping out of sight.
void keepOnOneLine(QLabel *l)
{
    l->setWordWrap(false);
    if (l->sizeHint().width() > l->width())
        l->resize(l->sizeHint().width(), l->height());
}

QLabel *picture(QWidget *parent, const QString &name, const QString &resource, const QRect &place)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setPixmap(QPixmap(resource));
    l->setGeometry(place);
    return l;
}
} // namespace

QString versionLine(const ProgramVersion &version)
{
    return QStringLiteral("Lumora Version: %1.%2").arg(version.major).arg(version.minor);
}

QUrl authorMailUrl(const ProgramVersion &version)
{
    return QUrl(QStringLiteral("mailto:%1?subject=%2 V%3.%4.%5")
                    .arg(QLatin1String(kAuthorMailAddress), QLatin1String(kProductWord))
                    .arg(version.major)
                    .arg(version.minor)
                    .arg(version.revision));
}

QString authorSiteCaption()
{
    return About::tr("Site de logiciels gratuits ") + QUrl(QLatin1String(kAuthorSiteUrl)).host();
}

About::About(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                         | Qt::MSWindowsFixedSizeDialogHint)
    , opener_([](const QUrl &address) { return QDesktopServices::openUrl(address); })
{
    setObjectName(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(tr("A Propos..."));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(twipsSize(11235, 7680));

    const QFont comic12 = designFont(QStringLiteral("Comic Sans MS"), 12);
    textLabels[2] = label(this, QStringLiteral("Label1(2)"), QString(), kLightGrey, comic12,
                      twipsRect(165, 150, 6945, 405));
    textLabels[3] = label(this, QStringLiteral("Label1(3)"),
                      tr("Si vous désirez faire une recherche d'ensoleillement annuel d'une terrasse, "
                                     "d'une facade, je vous conseille d'aller visiter le site de Quorel :"),
                      kLightGrey, comic12, twipsRect(735, 795, 6165, 1185));
    quorelPicture = picture(this, QStringLiteral("Image1"), QStringLiteral(":/about/image1.png"),
                     twipsRect(795, 2145, 3000, 2445));
    siteLink = label(this, QStringLiteral("Label3"), authorSiteCaption(), kLinkColour, designFont(QStringLiteral("Arial"), 15.75, false, true),
                   twipsRect(675, 4860, 6030, 555));
    textLabels[1] = label(this, QStringLiteral("Label1(1)"),
                      tr("Ce logiciel est gratuit et fourni tel quel, sans garantie sur "
                                     "l'exactitude des résultats."),
                      kLightGrey, comic12, twipsRect(720, 5430, 6135, 870));
    mailLink = label(this, QStringLiteral("Label2"), tr("Envoyer un coucou à l'auteur..."), kLinkColour,
                   designFont(QStringLiteral("Arial"), 12, false, true), twipsRect(780, 6495, 3120, 270));
    textLabels[0] = label(this, QStringLiteral("Label1(0)"),
                      tr("Les formules de calcul sont tirées des livres d'astronomie de Jean Meeus."),
                      kPink, designFont(QStringLiteral("Comic Sans MS"), 11.25), twipsRect(8460, 225, 2640, 1425));
    textLabels[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    windowPicture = picture(this, QStringLiteral("Image2"), QStringLiteral(":/about/image2.png"),
                     twipsRect(8760, 1830, 2040, 3000));
    returnButton = new QPushButton(tr("Retour"), this);
    returnButton->setObjectName(QStringLiteral("Command1"));
    returnButton->setGeometry(twipsRect(8460, 6600, 2490, 780));
    connect(returnButton, &QPushButton::clicked, this, &About::onReturnClicked);

    for (QLabel *link : {quorelPicture, siteLink, mailLink})
        link->installEventFilter(this);

    fillTexts();
}

void About::fillTexts()
{
    QIcon icon = parentWidget() ? parentWidget()->windowIcon() : QApplication::windowIcon();
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/icons/solon.png"));
    setWindowIcon(icon);

    // Over a link the pointer becomes the program's sun.
    const QPixmap pointer = icon.pixmap(32, 32);
    const QCursor cursor = pointer.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(pointer);
    for (QLabel *link : {quorelPicture, siteLink, mailLink})
        link->setCursor(cursor);

    textLabels[2]->setText(versionLine());
    for (QLabel *line : {textLabels[2], siteLink, mailLink})
        keepOnOneLine(line);
}

void About::setUrlOpener(UrlOpener opener)
{
    opener_ = std::move(opener);
}

bool About::eventFilter(QObject *watched, QEvent *event)
{
    // A click: the left button pressed on a link and released over it.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *link = qobject_cast<QWidget *>(watched);
        if (link && mouse->button() == Qt::LeftButton && link->rect().contains(mouse->position().toPoint())) {
            if (link == quorelPicture)
                openLink(QUrl(QLatin1String(kQuorelSiteUrl)));
            else if (link == siteLink)
                openLink(QUrl(QLatin1String(kAuthorSiteUrl)));
            else if (link == mailLink)
                openLink(authorMailUrl());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void About::openLink(const QUrl &address)
{
    if (opener_)
        opener_(address);
}

void About::onReturnClicked()
{
    close();
    emit returned();
}

} // namespace lumora
