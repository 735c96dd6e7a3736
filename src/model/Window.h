#pragma once

#include <cstdint>
#include <memory>

namespace fenster {

// The in-memory window: a TFenster holds its rows (TZeile) from the bottom
// band upwards, every row holds its fields (TFensterlement) from left to
// right. Lengths are whole millimetres. Each list is singly linked through
// `next`, the parent owns its children, and each list has a cursor that the
// users of the model move with FirstRow/NextRow and FirstField/NextField.

// Base type codes of a field. Code 8 is never stored.
enum BaseTypeCode : std::int32_t {
    BaseRechteck = 0,
    BaseEcke = 1,
    BaseStichbogen = 2,
    BaseRundbogen = 3,
    BaseKreisfoermig = 4,
    BaseTrapez = 5,
    BaseTuer = 6,
    BaseDreieck = 7,
    BaseSegmentbogen = 9,
    BaseLeerfeld = 10,
};

// True for the codes a field may hold: 0..7, 9 and 10.
constexpr bool IsStorableBaseType(std::int32_t code)
{
    return (code >= 0 && code <= 7) || code == 9 || code == 10;
}

// The six flags that describe how a sash opens. They are frozen while the
// field is fixed-glazed.
enum class OpeningFlag { LeftHinged, RightHinged, Tiltable, Swinging, Sliding, Handle };

// One field (pane) of a row.
class TFensterlement {
public:
    TFensterlement() = default;
    // Destroys every following field as well.
    ~TFensterlement();
    TFensterlement(const TFensterlement&) = delete;
    TFensterlement& operator=(const TFensterlement&) = delete;

    // The field to the right; none for the rightmost field.
    TFensterlement* next() const { return m_next.get(); }
    void setNext(std::unique_ptr<TFensterlement> field) { m_next = std::move(field); }
    std::unique_ptr<TFensterlement> takeNext() { return std::move(m_next); }

    std::int32_t width() const { return m_width; }
    void setWidth(std::int32_t width) { m_width = width; }

    // The opening flags. Their setters are ignored while the field is
    // fixed-glazed, so the values it had then come back when it is a sash again.
    bool leftHinged() const { return m_leftHinged; }
    bool rightHinged() const { return m_rightHinged; }
    bool tiltable() const { return m_tiltable; }
    bool swinging() const { return m_swinging; }
    bool sliding() const { return m_sliding; }
    bool handle() const { return m_handle; }
    void setLeftHinged(bool on) { SetOpeningFlag(OpeningFlag::LeftHinged, on); }
    void setRightHinged(bool on) { SetOpeningFlag(OpeningFlag::RightHinged, on); }
    void setTiltable(bool on) { SetOpeningFlag(OpeningFlag::Tiltable, on); }
    void setSwinging(bool on) { SetOpeningFlag(OpeningFlag::Swinging, on); }
    void setSliding(bool on) { SetOpeningFlag(OpeningFlag::Sliding, on); }
    void setHandle(bool on) { SetOpeningFlag(OpeningFlag::Handle, on); }
    bool openingFlag(OpeningFlag flag) const;
    void SetOpeningFlag(OpeningFlag flag, bool on);

    // True = fixed glazing, false = sash. Setting it leaves the opening flags alone.
    bool fixedGlazing() const { return m_fixedGlazing; }
    void setFixedGlazing(bool on) { m_fixedGlazing = on; }

    bool mirrored() const { return m_mirrored; }
    void setMirrored(bool on) { m_mirrored = on; }

    // Muntin counts; a negative count is ignored.
    std::int32_t verticalMuntins() const { return m_verticalMuntins; }
    std::int32_t horizontalMuntins() const { return m_horizontalMuntins; }
    void setVerticalMuntins(std::int32_t count);
    void setHorizontalMuntins(std::int32_t count);

    // Stores code only if it is 0..7, 9 or 10; anything else leaves the type.
    std::int32_t baseType() const { return m_baseType; }
    void SetBaseType(std::int32_t code);

    // Shape measures in mm; 0 = not set. extraHeight, when above 0, is the
    // field's own height and counts in the overall height.
    std::int32_t extraHeight() const { return m_extraHeight; }
    std::int32_t height1() const { return m_height1; }
    std::int32_t height2() const { return m_height2; }
    void setExtraHeight(std::int32_t mm) { m_extraHeight = mm; }
    void setHeight1(std::int32_t mm) { m_height1 = mm; }
    void setHeight2(std::int32_t mm) { m_height2 = mm; }

    bool rollerShutterBox() const { return m_rollerShutterBox; }
    bool sillConnection() const { return m_sillConnection; }
    bool opensOutward() const { return m_opensOutward; }
    bool insectScreen() const { return m_insectScreen; }
    bool pleatedBlind() const { return m_pleatedBlind; }
    void setRollerShutterBox(bool on) { m_rollerShutterBox = on; }
    void setSillConnection(bool on) { m_sillConnection = on; }
    void setOpensOutward(bool on) { m_opensOutward = on; }
    void setInsectScreen(bool on) { m_insectScreen = on; }
    void setPleatedBlind(bool on) { m_pleatedBlind = on; }

private:
    std::unique_ptr<TFensterlement> m_next;
    std::int32_t m_width = 500;
    bool m_leftHinged = false;
    bool m_rightHinged = false;
    bool m_tiltable = false;
    bool m_swinging = false;
    bool m_sliding = false;
    bool m_handle = false;
    bool m_mirrored = false;
    std::int32_t m_extraHeight = 0;
    std::int32_t m_height2 = 0;
    std::int32_t m_height1 = 0;
    std::int32_t m_baseType = BaseRechteck;
    std::int32_t m_verticalMuntins = 0;
    std::int32_t m_horizontalMuntins = 0;
    bool m_fixedGlazing = false;
    bool m_rollerShutterBox = false;
    bool m_sillConnection = false;
    bool m_opensOutward = false;
    bool m_insectScreen = false;
    bool m_pleatedBlind = false;
};

// One horizontal band ("Teilhöhe") of the window. A new row is 1000 mm high
// and holds one default field.
class TZeile {
public:
    TZeile();
    ~TZeile();
    TZeile(const TZeile&) = delete;
    TZeile& operator=(const TZeile&) = delete;

    std::int32_t height() const { return m_height; }
    void setHeight(std::int32_t mm) { m_height = mm; }

    // The row above; none for the top row. The row owns the rows above it
    // only while it is unlinked from a window; TFenster manages the links.
    TZeile* next() const { return m_next.get(); }
    void setNext(std::unique_ptr<TZeile> row) { m_next = std::move(row); }
    std::unique_ptr<TZeile> takeNext() { return std::move(m_next); }

    // Number of fields, counted along the list.
    int FieldCount() const;
    // Appends default fields at the right or removes fields from the right
    // until the row holds n; n <= 0 empties the row.
    void SetFieldCount(int n);
    // Adds a default field at the right end; it becomes the cursor.
    TFensterlement* AppendField();
    // Destroys the rightmost field; the cursor is then the new rightmost
    // field, or none. Nothing happens on an empty row.
    void RemoveLastField();

    TFensterlement* CurrentField() const { return m_currentField; }
    // Moves the cursor to the leftmost field and returns it.
    TFensterlement* FirstField();
    // Moves the cursor one field to the right (none after the last field)
    // and returns it; stays none once none.
    TFensterlement* NextField();

    // The leftmost field, without moving the cursor.
    const TFensterlement* leftmostField() const { return m_firstField.get(); }
    TFensterlement* leftmostField() { return m_firstField.get(); }

private:
    std::int32_t m_height = 1000;
    std::unique_ptr<TFensterlement> m_firstField;
    TFensterlement* m_currentField = nullptr;
    std::unique_ptr<TZeile> m_next;
};

// The whole window. A new window is 1000 mm high, 500 mm wide and holds one
// default row. height and width are derived values: the writer recomputes
// them with OverallHeight and OverallWidth.
class TFenster {
public:
    TFenster();
    ~TFenster();
    TFenster(const TFenster&) = delete;
    TFenster& operator=(const TFenster&) = delete;

    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    void setWidth(std::int32_t mm) { m_width = mm; }
    void setHeight(std::int32_t mm) { m_height = mm; }

    // Number of rows, counted along the list.
    int RowCount() const;
    // Appends default rows on top or removes rows from the top until the
    // window holds n; n <= 0 empties the window.
    void SetRowCount(int n);
    // Adds a default row on top; it becomes the cursor.
    TZeile* AppendRow();
    // Adds a default row below all others; it becomes the cursor.
    TZeile* InsertBottomRow();
    // Destroys the top row; the cursor is then the new top row, or none.
    void RemoveLastRow();

    TZeile* CurrentRow() const { return m_currentRow; }
    // Moves the cursor to the bottom row and returns it.
    TZeile* FirstRow();
    // Moves the cursor one row up if there is one and returns the cursor;
    // on the top row it stays there.
    TZeile* NextRow();

    // The bottom row, without moving the cursor.
    const TZeile* bottomRow() const { return m_firstRow.get(); }
    TZeile* bottomRow() { return m_firstRow.get(); }

private:
    std::int32_t m_width = 500;
    std::int32_t m_height = 1000;
    std::unique_ptr<TZeile> m_firstRow;
    TZeile* m_currentRow = nullptr;
};

// Makes row `row` and, in it, field `field` current (both counted from 1):
// FirstRow, NextRow row-1 times, FirstField, NextField field-1 times. A too
// large row stops on the top row; a too large field leaves the row's cursor
// at none.
void PositionCursors(TFenster& window, int row, int field);

// The overall height: the largest running sum of the row heights from the
// bottom, or the largest extraHeight of any field if that is more. Never
// below 0; sums saturate instead of overflowing.
std::int32_t OverallHeight(const TFenster& window);

// The overall width: the largest sum of field widths of any row. Never below
// 0; sums saturate instead of overflowing.
std::int32_t OverallWidth(const TFenster& window);

} // namespace fenster
