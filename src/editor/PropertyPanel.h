#pragma once

#include <QFrame>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace fenster {

class EditorDocument;
class TFensterlement;
class TSpinEdit;

// An up/down arrow pair that steps a selection.
class TArrowPair : public QWidget {
    Q_OBJECT
public:
    // name is what a screen reader says for the pair ("Höhe", "Breite");
    // the arrows are "<name> auf" and "<name> ab".
    explicit TArrowPair(const QString& name, QWidget* parent = nullptr);

signals:
    void upClicked();
    void downClicked();
};

// The property panel ("PanelEdit"), the left-hand column of the main window:
// the overall size and row count, the selected row with its height and
// field count, and every property of the selected field. Each change handler
// writes into the document's model at the selection and ends with the
// document's UpdateAll; the panel refreshes itself whenever the document
// announces a change, with every handler shut off while it does.
class PropertyPanel : public QFrame {
    Q_OBJECT
public:
    explicit PropertyPanel(EditorDocument& document, QWidget* parent = nullptr);
    ~PropertyPanel() override;

    // Model to controls, under the PanelUpdating guard.
    void RefreshPanel();
    bool isUpdating() const { return PanelUpdating; }

    // Outside window mode the row group and the row arrows are disabled; the
    // overall size stays usable.
    void LockRowControls(bool locked);

    // The change handlers, one for each control (or group of controls).
    void HoehenEditChange();
    void HoeheSpinDownClick();
    void HoeheSpinUpClick();
    void HoeheeditChange();
    void BreitenEditChange();
    void BreiteSpinDownClick();
    void BreiteSpinUpClick();
    void GlasRadioClick();
    void ChangeProperty();
    void SpiegelcheckClick();
    void CBNachAussenOeffnendClick();
    void FenstertypRadioClick();
    void vSprossenEditChange();
    void hSprossenEditChange();
    void rHoeheEditChange();
    void bHoeheEditChange();
    void eHoeheEditChange();

signals:
    // The overall size box was double-clicked: "Fenstermaße ändern".
    void totalSizeDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createTotalSize();
    void createRowGroup();
    void createFieldGroup();
    void createProperties(QWidget* parent);
    void createParameters(QWidget* parent);
    void connectHandlers();
    void placeRowArrows();
    // The selected field after SelectField, or null when the selection
    // addresses none (an empty window or row).
    TFensterlement* selectedField();
    // Runs a handler's steps unless the panel is refreshing, then UpdateAll.
    void change(const std::function<void()>& steps);

    EditorDocument& m_document;
    bool PanelUpdating = false;

    QGroupBox* GB_TotalSize = nullptr;
    TSpinEdit* HoehenEdit = nullptr;
    TSpinEdit* Hoeheedit = nullptr;
    TSpinEdit* BreiteEdit = nullptr;
    QGroupBox* HoeheBox = nullptr;
    TArrowPair* HoeheSpin = nullptr;
    QLabel* TeilhoeheLabel = nullptr;
    TSpinEdit* Teilhoeheedit = nullptr;
    TSpinEdit* BreitenEdit = nullptr;
    TArrowPair* BreiteSpin = nullptr;
    QGroupBox* BreiteBox = nullptr;
    QLabel* TeilBreiteLabel = nullptr;
    TSpinEdit* TeilbreiteEdit = nullptr;
    QGroupBox* GlasRadio = nullptr;
    QButtonGroup* m_glasItems = nullptr;
    QGroupBox* FenstertypRadio = nullptr;
    QButtonGroup* m_typeItems = nullptr;
    QWidget* PanelProperties = nullptr;
    QCheckBox* Griffcheck = nullptr;
    QCheckBox* Linkscheck = nullptr;
    QCheckBox* Rechtscheck = nullptr;
    QCheckBox* Spiegelcheck = nullptr;
    QCheckBox* Kippcheck = nullptr;
    QCheckBox* SchwenkCheck = nullptr;
    QCheckBox* Schiebcheck = nullptr;
    QCheckBox* Rolladenkasten = nullptr;
    QCheckBox* Fensterbankanschlag = nullptr;
    QCheckBox* CBNachAussenOeffnend = nullptr;
    QCheckBox* CheckBoxFliegengitter = nullptr;
    QCheckBox* CheckBoxSchiebePlissees = nullptr;
    QWidget* PanelParameter = nullptr;
    TSpinEdit* eHoeheEdit = nullptr;
    QWidget* PanelSonderwerte = nullptr;
    TSpinEdit* rHoeheEdit = nullptr;
    QLabel* Label10 = nullptr;
    TSpinEdit* bHoeheEdit = nullptr;
    QGroupBox* GB_Sprossen = nullptr;
    TSpinEdit* hSprossenEdit = nullptr;
    TSpinEdit* vSprossenEdit = nullptr;
};

} // namespace fenster
