// The measured window's dialog: spin boxes in three groups, live changes.
#include "realview/measuredwindowdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

namespace {
struct FieldLayout {
    const char *key; // the settings key; also what invalidMeasuredWindowKey names, in lower case
    double MeasuredWindow::*member;
    const char *label;
    const char *toolTip;
    double minimum, maximum;
    bool degrees;
    int group; // 0 the window, 1 the opening, 2 the spot
};

// Ranges a room can have; what they still let through (a spot in the wall…)
// is caught by the window's own check and told in words.
constexpr FieldLayout kFields[] = {
    {"Facing", &MeasuredWindow::facing, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Orientation"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Direction vers laquelle la fenêtre regarde dehors : 0° nord, 90° est, 180° sud, 270° ouest."),
     0, 360, true, 0},
    {"Tilt", &MeasuredWindow::tilt, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Inclinaison"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "90° pour une fenêtre dans un mur, moins pour une fenêtre de toit (0° : à plat)."), 0, 90, true, 0},
    {"Width", &MeasuredWindow::width, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Largeur"), QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Largeur de l'ouverture."), 0.01, 100, false, 1},
    {"Height", &MeasuredWindow::height, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Hauteur"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Hauteur de l'ouverture, le long de la fenêtre."), 0.01, 100, false, 1},
    {"Sill", &MeasuredWindow::sill, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Allège"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Hauteur du bas de l'ouverture au-dessus du sol de la pièce."), 0, 100, false, 1},
    {"Depth", &MeasuredWindow::depth, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Épaisseur du mur"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Profondeur de l'embrasure entre la face intérieure et la face extérieure (0 : aucune)."), 0, 10,
     false, 1},
    {"Distance", &MeasuredWindow::distance, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Distance"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Distance au sol entre le point qui doit voir le Soleil et le bas de la fenêtre (pour une "
                "fenêtre murale : la face intérieure du mur)."),
     0, 100, false, 2},
    {"Offset", &MeasuredWindow::offset, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Décalage latéral"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Écart du point par rapport au milieu de la fenêtre, positif vers la droite en regardant dehors."),
     -100, 100, false, 2},
    {"Eye", &MeasuredWindow::eye, QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Hauteur du point"),
     QT_TRANSLATE_NOOP("lumora::MeasuredWindowDialog", "Hauteur au-dessus du sol des yeux, du bureau ou de la plante qui doit voir le Soleil."), 0, 100,
     false, 2},
};
} // namespace

MeasuredWindowDialog::MeasuredWindowDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MeasuredWindowDialog"));
    setWindowTitle(tr("Fenêtre mesurée"));
    auto *layout = new QVBoxLayout(this);

    inForceCheck_ = new QCheckBox(tr("Utiliser la fenêtre mesurée"), this);
    inForceCheck_->setObjectName(QStringLiteral("MeasuredInForce"));
    inForceCheck_->setToolTip(tr("Le Soleil est dans la fenêtre quand il se voit du point choisi à travers "
                                 "l'ouverture, au lieu du cadre rouge réglé par les barres."));
    layout->addWidget(inForceCheck_);

    const QString titles[] = {tr("Fenêtre"), tr("Ouverture"), tr("Point qui doit voir le Soleil")};
    QFormLayout *forms[3];
    for (int i = 0; i < 3; ++i) {
        auto *group = new QGroupBox(titles[i], this);
        forms[i] = new QFormLayout(group);
        layout->addWidget(group);
    }
    for (const FieldLayout &field : kFields) {
        auto *box = new QDoubleSpinBox(this);
        box->setObjectName(QLatin1String(field.key));
        box->setDecimals(field.degrees ? 1 : 2);
        box->setRange(field.minimum, field.degrees && field.maximum == 360 ? 359.9 : field.maximum);
        box->setSingleStep(field.degrees ? 1 : 0.05);
        box->setSuffix(field.degrees ? QStringLiteral(" °") : QStringLiteral(" m"));
        box->setWrapping(field.maximum == 360); // the compass goes round
        box->setAccelerated(true);
        box->setToolTip(tr(field.toolTip));
        forms[field.group]->addRow(tr(field.label), box);
        fields_.push_back({QLatin1String(field.key), field.member, box});
        connect(box, &QDoubleSpinBox::valueChanged, this, &MeasuredWindowDialog::takeChange);
    }
    connect(inForceCheck_, &QCheckBox::toggled, this, &MeasuredWindowDialog::takeChange);

    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("MeasuredWindowProblem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #a00000"));
    // Room for two lines kept, so the dialog does not jump as it comes and goes.
    problem_->setMinimumHeight(2 * problem_->fontMetrics().lineSpacing());
    layout->addWidget(problem_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons_);
    setValues(MeasuredWindow{}, false);
}

QDoubleSpinBox *MeasuredWindowDialog::spinBox(const QString &key) const
{
    for (const Field &field : fields_)
        if (field.key == key)
            return field.box;
    return nullptr;
}

void MeasuredWindowDialog::setValues(const MeasuredWindow &window, bool inForce)
{
    opened_ = window;
    openedInForce_ = inForce;
    settingValues_ = true;
    for (const Field &field : fields_)
        field.box->setValue(window.*field.member);
    inForceCheck_->setChecked(inForce);
    settingValues_ = false;
    problem_->clear();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(true);
}

MeasuredWindow MeasuredWindowDialog::window() const
{
    MeasuredWindow window;
    for (const Field &field : fields_)
        window.*field.member = field.box->value();
    return window;
}

bool MeasuredWindowDialog::inForce() const { return inForceCheck_->isChecked(); }

void MeasuredWindowDialog::takeChange()
{
    if (settingValues_)
        return;
    const MeasuredWindow values = window();
    const QString bad = invalidMeasuredWindowKey(values);
    QString label;
    for (const FieldLayout &field : kFields)
        if (!bad.isEmpty() && bad.compare(QLatin1String(field.key), Qt::CaseInsensitive) == 0)
            label = tr(field.label);
    if (!bad.isEmpty() && label.isEmpty())
        label = bad;
    // An impossible window is not passed on: the panorama keeps the last one.
    problem_->setText(bad.isEmpty() ? QString()
                                    : tr("Ces mesures ne décrivent pas une fenêtre possible : vérifiez « %1 ».").arg(label));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(bad.isEmpty());
    if (bad.isEmpty())
        emit changed(values, inForce());
}

void MeasuredWindowDialog::done(int result)
{
    if (result == QDialog::Rejected && (window() != opened_ || inForce() != openedInForce_)) {
        const MeasuredWindow opened = opened_;
        const bool openedInForce = openedInForce_;
        setValues(opened, openedInForce);
        emit changed(opened, openedInForce);
    }
    QDialog::done(result);
}

} // namespace lumora
