// The property panel's change handlers: each writes one control's value into
// the model at the selection and ends with the document's UpdateAll, whose
// change announcement refreshes the panel from what the model accepted.

#include "PropertyPanel.h"

#include "EditorDocument.h"
#include "Measures.h"
#include "SpinEdit.h"
#include "Window.h"

#include <QButtonGroup>
#include <QCheckBox>

namespace fenster {

namespace {

constexpr int kLeerfeldItem = 8;

} // namespace

void PropertyPanel::change(const std::function<void()>& steps)
{
    if (PanelUpdating)
        return;
    // The model's setters refuse what they cannot store; anything else that
    // fails on the way leaves the model as far as it got, without a message.
    try {
        steps();
    } catch (...) {
    }
    m_document.UpdateAll();
}

TFensterlement* PropertyPanel::selectedField()
{
    m_document.SelectField();
    TZeile* row = m_document.model().CurrentRow();
    return row ? row->CurrentField() : nullptr;
}

void PropertyPanel::HoehenEditChange()
{
    change([this] {
        TFenster& window = m_document.model();
        window.SetRowCount(HoehenEdit->value());
        int row = m_document.SelectedRow();
        int field = m_document.SelectedField();
        if (window.RowCount() < row)
            row = window.RowCount();
        if (field > 1) {
            PositionCursors(window, row, 1);
            if (window.CurrentRow() && window.CurrentRow()->FieldCount() < field)
                field = 1;
        }
        m_document.setSelection(row, field);
    });
}

void PropertyPanel::HoeheSpinDownClick()
{
    change([this] {
        m_document.SelectField();
        const int row = m_document.SelectedRow();
        m_document.setSelection(row > 1 ? row - 1 : row, 1);
        m_document.SelectField();
    });
}

void PropertyPanel::HoeheSpinUpClick()
{
    change([this] {
        m_document.SelectField();
        const int row = m_document.SelectedRow();
        m_document.setSelection(row < m_document.model().RowCount() ? row + 1 : row, 1);
        m_document.SelectField();
    });
}

void PropertyPanel::HoeheeditChange()
{
    change([this] {
        TFensterlement* field = selectedField();
        TFenster& window = m_document.model();
        window.setHeight(Hoeheedit->value());
        window.setWidth(BreiteEdit->value());
        if (TZeile* row = window.CurrentRow())
            row->setHeight(Teilhoeheedit->value());
        if (field)
            field->setWidth(TeilbreiteEdit->value());
    });
}

void PropertyPanel::BreitenEditChange()
{
    change([this] {
        m_document.SelectField();
        TZeile* row = m_document.model().CurrentRow();
        if (!row)
            return;
        row->SetFieldCount(BreitenEdit->value());
        if (row->FieldCount() < m_document.SelectedField())
            m_document.setSelection(m_document.SelectedRow(), row->FieldCount());
    });
}

void PropertyPanel::BreiteSpinDownClick()
{
    change([this] {
        m_document.SelectField();
        const int field = m_document.SelectedField();
        if (field > 1)
            m_document.setSelection(m_document.SelectedRow(), field - 1);
    });
}

void PropertyPanel::BreiteSpinUpClick()
{
    change([this] {
        m_document.SelectField();
        const TZeile* row = m_document.model().CurrentRow();
        const int field = m_document.SelectedField();
        if (row && field < row->FieldCount())
            m_document.setSelection(m_document.SelectedRow(), field + 1);
    });
}

void PropertyPanel::GlasRadioClick()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setFixedGlazing(m_glasItems->checkedId() == 0);
    });
}

void PropertyPanel::ChangeProperty()
{
    change([this] {
        TFensterlement* field = selectedField();
        if (!field)
            return;
        // In this order, each through the opening-flag setter, so that a
        // fixed-glazed field keeps the flags it had.
        field->SetOpeningFlag(OpeningFlag::RightHinged, Rechtscheck->isChecked());
        field->SetOpeningFlag(OpeningFlag::LeftHinged, Linkscheck->isChecked());
        field->SetOpeningFlag(OpeningFlag::Handle, Griffcheck->isChecked());
        field->SetOpeningFlag(OpeningFlag::Sliding, Schiebcheck->isChecked());
        field->SetOpeningFlag(OpeningFlag::Swinging, SchwenkCheck->isChecked());
        field->SetOpeningFlag(OpeningFlag::Tiltable, Kippcheck->isChecked());
        field->setRollerShutterBox(Rolladenkasten->isChecked());
        field->setSillConnection(Fensterbankanschlag->isChecked());
    });
}

void PropertyPanel::SpiegelcheckClick()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setMirrored(Spiegelcheck->isChecked());
    });
}

void PropertyPanel::CBNachAussenOeffnendClick()
{
    change([this] {
        TFensterlement* field = selectedField();
        if (!field)
            return;
        field->setOpensOutward(CBNachAussenOeffnend->isChecked());
        field->setInsectScreen(CheckBoxFliegengitter->isChecked());
        field->setPleatedBlind(CheckBoxSchiebePlissees->isChecked());
    });
}

void PropertyPanel::FenstertypRadioClick()
{
    change([this] {
        TFensterlement* field = selectedField();
        if (!field)
            return;
        const int item = m_typeItems->checkedId();
        field->SetBaseType(item == kLeerfeldItem ? BaseLeerfeld : item);
        // A segment arch without measures starts from the row height: the
        // arch rises over nine tenths of it.
        if (field->baseType() == BaseSegmentbogen && field->extraHeight() == 0 && field->height1() == 0
            && field->height2() == 0) {
            const int h = Teilhoeheedit->value();
            field->setExtraHeight(rnd(0.9 * h));
            field->setHeight2(rnd(0.9 * h));
            field->setHeight1(h);
        }
    });
}

void PropertyPanel::vSprossenEditChange()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setVerticalMuntins(vSprossenEdit->value());
    });
}

void PropertyPanel::hSprossenEditChange()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setHorizontalMuntins(hSprossenEdit->value());
    });
}

void PropertyPanel::rHoeheEditChange()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setHeight1(rHoeheEdit->value());
    });
}

void PropertyPanel::bHoeheEditChange()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setHeight2(bHoeheEdit->value());
    });
}

void PropertyPanel::eHoeheEditChange()
{
    change([this] {
        if (TFensterlement* field = selectedField())
            field->setExtraHeight(eHoeheEdit->value());
    });
}

} // namespace fenster
