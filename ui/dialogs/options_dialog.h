// ui/dialogs: the dialogs away from the hand: Options, the about box, the rules page.
// The options dialog: the card-back design, the pace and level of the computer players and the
// three rule options. It reads the six settings from the table when it is made and writes them
// back on OK.
#pragma once

#include "ui/program/language.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace corvane {
struct Table;
}

namespace corvane::ui {

inline constexpr int SpeedSlow = 700;
inline constexpr int SpeedMedium = 300;
inline constexpr int SpeedGiveEr = 50;

// Non-modal: show it with show() and place it with PlaceDialog. OK and Cancel close it through
// accept() and reject(), so a caller that sets Qt::WA_DeleteOnClose gets a fresh dialog, reading
// the settings anew, each time it opens one.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(Table& table, QWidget* parent = nullptr);

    // Draws the dialog, every control and any added since it was made, at the table's `zoom`
    // (1.0 is the layout's own size).
    void setZoom(double zoom);

    // The design that OK would store (0-7).
    int pickedDesign() const { return m_pickedDesign; }
    void pickDesign(int design);

    // The language is the program's, not the table's: its keeper sets it and reads it back on
    // OK. A new one speaks from the next start.
    void setLanguage(LanguageChoice language);
    LanguageChoice language() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPackFrame();
    void buildOptionsFrame();
    void buildLanguageChoice();
    void loadSettings();
    void storeSettings();

    Table& m_table;
    double m_zoom = 1.0;
    int m_pickedDesign = 0;
    std::array<QLabel*, 8> m_picPack{};
    QFrame* m_selector = nullptr;
    QFrame* m_focusRing = nullptr; // around the design the keyboard is on
    QCheckBox* m_chk525 = nullptr;
    QCheckBox* m_chkFollowSuit = nullptr;
    QCheckBox* m_chkTutorial = nullptr;
    QComboBox* m_cboSpeed = nullptr;
    QComboBox* m_cboComputers = nullptr;
    QComboBox* m_cboLanguage = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace corvane::ui
