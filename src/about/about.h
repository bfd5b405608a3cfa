// The About box: version, credits and three links (the Quorel website, the
// author's website of free programs, an e-mail to the author).
#pragma once

#include "common/version.h"

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;

namespace lumora {

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};
inline constexpr ProgramVersion kProgramVersion{LUMORA_VERSION_MAJOR, LUMORA_VERSION_MINOR, LUMORA_VERSION_PATCH};

// The link targets and the product word of the e-mail subject, all in one place.
inline constexpr char kProductWord[] = "Lumora";
inline constexpr char kQuorelSiteUrl[] = "https://www.quorel.example/";
inline constexpr char kAuthorSiteUrl[] = "https://logiciels.example/";
inline constexpr char kAuthorMailAddress[] = "lumora@example.org";

// "Lumora Version: " + major + "." + minor, in decimal without leading zeros
// ("Lumora Version: 1.0"); the revision is not shown.
QString versionLine(const ProgramVersion &version = kProgramVersion);

// "mailto:" + the author's address + "?subject=" + product word + " V"
// + major.minor.revision ("... V1.0.0").
QUrl authorMailUrl(const ProgramVersion &version = kProgramVersion);

// The author's website link text: "Site de logiciels gratuits " + its address
// as shown to the user (without the scheme).
QString authorSiteCaption();

class About : public QDialog
{
    Q_OBJECT

public:
    // Opens non-modal, centred on its owner. Deletes itself when closed, so
    // each opening builds it anew: hold it in a QPointer.
    explicit About(QWidget *owner = nullptr);

    // How links are opened; QDesktopServices::openUrl unless replaced (tests
    // replace it so as not to start a browser). A link that cannot be opened
    // is ignored and the box stays open.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void setUrlOpener(UrlOpener opener);

signals:
    // "Retour" was pressed: the box is closing and the main window shows itself.
    void returned();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillTexts();
    void onReturnClicked();
    void openLink(const QUrl &address);

    QLabel *textLabels[4] = {};
    QLabel *mailLink = nullptr;
    QLabel *siteLink = nullptr;
    QLabel *quorelPicture = nullptr;
    QLabel *windowPicture = nullptr;
    QPushButton *returnButton = nullptr;
    UrlOpener opener_;
};

} // namespace lumora
