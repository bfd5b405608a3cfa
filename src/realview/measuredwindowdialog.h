// "Fenêtre mesurée…": the window from its measurements (which way it faces,
// its tilt, size, sill, the wall's depth) and the spot in the room that
// should see the Sun, with the choice of using it in place of the frame.
// Every change is passed on at once so the panorama follows while the user
// types; "Annuler" passes back what the dialog opened with.
#pragma once

#include "analysis/measuredwindow.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;

namespace lumora {

class MeasuredWindowDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MeasuredWindowDialog(QWidget *parent = nullptr);

    // What the dialog shows and restores on "Annuler". Emits nothing.
    void setValues(const MeasuredWindow &window, bool inForce);
    MeasuredWindow window() const;
    bool inForce() const;

    // The spin box of a value, by its settings key ("Facing", "Width"…).
    QDoubleSpinBox *spinBox(const QString &key) const;
    QCheckBox *inForceCheck() const { return inForceCheck_; }
    // The French message of an impossible combination; empty when none.
    QLabel *problemLabel() const { return problem_; }

signals:
    // Each change a user makes (values that make a window only), and on
    // "Annuler" the values the dialog opened with.
    void changed(const lumora::MeasuredWindow &window, bool inForce);

private:
    void takeChange();
    void done(int result) override;

    struct Field {
        QString key;
        double MeasuredWindow::*member;
        QDoubleSpinBox *box;
    };
    std::vector<Field> fields_;
    QCheckBox *inForceCheck_ = nullptr;
    QLabel *problem_ = nullptr;
    QDialogButtonBox *buttons_ = nullptr;
    MeasuredWindow opened_;
    bool openedInForce_ = false;
    bool settingValues_ = false;
};

} // namespace lumora
