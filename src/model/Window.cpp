#include "Window.h"

#include "IntegerText.h"

#include <algorithm>

namespace fenster {

namespace {

// Destroys a chain one link at a time, so that a long list cannot exhaust
// the stack through nested destructors.
template<typename Node>
void destroyChain(std::unique_ptr<Node> head)
{
    while (head) {
        std::unique_ptr<Node> following = head->takeNext();
        head.reset();
        head = std::move(following);
    }
}

} // namespace

// --- TFensterlement ---------------------------------------------------------

TFensterlement::~TFensterlement()
{
    destroyChain(std::move(m_next));
}

bool TFensterlement::openingFlag(OpeningFlag flag) const
{
    switch (flag) {
    case OpeningFlag::LeftHinged:
        return m_leftHinged;
    case OpeningFlag::RightHinged:
        return m_rightHinged;
    case OpeningFlag::Tiltable:
        return m_tiltable;
    case OpeningFlag::Swinging:
        return m_swinging;
    case OpeningFlag::Sliding:
        return m_sliding;
    case OpeningFlag::Handle:
        return m_handle;
    }
    return false;
}

void TFensterlement::SetOpeningFlag(OpeningFlag flag, bool on)
{
    // A fixed pane keeps the opening it had; it returns when the pane
    // becomes a sash again.
    if (m_fixedGlazing)
        return;
    switch (flag) {
    case OpeningFlag::LeftHinged:
        m_leftHinged = on;
        break;
    case OpeningFlag::RightHinged:
        m_rightHinged = on;
        break;
    case OpeningFlag::Tiltable:
        m_tiltable = on;
        break;
    case OpeningFlag::Swinging:
        m_swinging = on;
        break;
    case OpeningFlag::Sliding:
        m_sliding = on;
        break;
    case OpeningFlag::Handle:
        m_handle = on;
        break;
    }
}

void TFensterlement::setVerticalMuntins(std::int32_t count)
{
    if (count >= 0)
        m_verticalMuntins = count;
}

void TFensterlement::setHorizontalMuntins(std::int32_t count)
{
    if (count >= 0)
        m_horizontalMuntins = count;
}

void TFensterlement::SetBaseType(std::int32_t code)
{
    if (IsStorableBaseType(code))
        m_baseType = code;
}

// --- TZeile -----------------------------------------------------------------

TZeile::TZeile()
{
    SetFieldCount(1);
}

TZeile::~TZeile()
{
    destroyChain(std::move(m_firstField));
    destroyChain(std::move(m_next));
}

int TZeile::FieldCount() const
{
    int count = 0;
    for (const TFensterlement* field = m_firstField.get(); field; field = field->next())
        ++count;
    return count;
}

void TZeile::SetFieldCount(int n)
{
    const int count = FieldCount();
    for (int i = count; i < n; ++i)
        AppendField();
    for (int i = std::max(n, 0); i < count; ++i)
        RemoveLastField();
}

TFensterlement* TZeile::AppendField()
{
    auto field = std::make_unique<TFensterlement>();
    TFensterlement* added = field.get();
    if (!m_firstField) {
        m_firstField = std::move(field);
    } else {
        TFensterlement* last = m_currentField ? m_currentField : m_firstField.get();
        while (last->next())
            last = last->next();
        last->setNext(std::move(field));
    }
    m_currentField = added;
    return added;
}

void TZeile::RemoveLastField()
{
    if (!m_firstField)
        return;
    m_currentField = m_firstField.get();
    if (!m_currentField->next()) {
        m_firstField.reset();
        m_currentField = nullptr;
        return;
    }
    while (m_currentField->next()->next())
        m_currentField = m_currentField->next();
    m_currentField->setNext(nullptr);
}

TFensterlement* TZeile::FirstField()
{
    m_currentField = m_firstField.get();
    return m_currentField;
}

TFensterlement* TZeile::NextField()
{
    if (m_currentField)
        m_currentField = m_currentField->next();
    return m_currentField;
}

// --- TFenster ---------------------------------------------------------------

TFenster::TFenster()
{
    SetRowCount(1);
}

TFenster::~TFenster()
{
    destroyChain(std::move(m_firstRow));
}

int TFenster::RowCount() const
{
    int count = 0;
    for (const TZeile* row = m_firstRow.get(); row; row = row->next())
        ++count;
    return count;
}

void TFenster::SetRowCount(int n)
{
    const int count = RowCount();
    for (int i = count; i < n; ++i)
        AppendRow();
    for (int i = std::max(n, 0); i < count; ++i)
        RemoveLastRow();
}

TZeile* TFenster::AppendRow()
{
    auto row = std::make_unique<TZeile>();
    TZeile* added = row.get();
    if (!m_firstRow) {
        m_firstRow = std::move(row);
    } else {
        TZeile* last = m_currentRow ? m_currentRow : m_firstRow.get();
        while (last->next())
            last = last->next();
        last->setNext(std::move(row));
    }
    m_currentRow = added;
    return added;
}

TZeile* TFenster::InsertBottomRow()
{
    auto row = std::make_unique<TZeile>();
    row->setNext(std::move(m_firstRow));
    m_firstRow = std::move(row);
    m_currentRow = m_firstRow.get();
    return m_currentRow;
}

void TFenster::RemoveLastRow()
{
    if (!m_firstRow)
        return;
    m_currentRow = m_firstRow.get();
    if (!m_currentRow->next()) {
        m_firstRow.reset();
        m_currentRow = nullptr;
        return;
    }
    while (m_currentRow->next()->next())
        m_currentRow = m_currentRow->next();
    m_currentRow->setNext(nullptr);
}

TZeile* TFenster::FirstRow()
{
    m_currentRow = m_firstRow.get();
    return m_currentRow;
}

TZeile* TFenster::NextRow()
{
    if (m_currentRow && m_currentRow->next())
        m_currentRow = m_currentRow->next();
    return m_currentRow;
}

// --- Positioning and derived totals -------------------------------------------

void PositionCursors(TFenster& window, int row, int field)
{
    window.FirstRow();
    for (int i = 1; i < row; ++i)
        window.NextRow();
    TZeile* current = window.CurrentRow();
    if (!current)
        return;
    current->FirstField();
    for (int j = 1; j < field; ++j)
        current->NextField();
}

std::int32_t OverallHeight(const TFenster& window)
{
    std::int32_t overall = 0;
    std::int32_t runningSum = 0;
    for (const TZeile* row = window.bottomRow(); row; row = row->next()) {
        runningSum = SaturatingAdd(runningSum, row->height());
        overall = std::max(overall, runningSum);
        for (const TFensterlement* field = row->leftmostField(); field; field = field->next())
            overall = std::max(overall, field->extraHeight());
    }
    return overall;
}

std::int32_t OverallWidth(const TFenster& window)
{
    std::int32_t overall = 0;
    for (const TZeile* row = window.bottomRow(); row; row = row->next()) {
        std::int32_t sum = 0;
        for (const TFensterlement* field = row->leftmostField(); field; field = field->next())
            sum = SaturatingAdd(sum, field->width());
        overall = std::max(overall, sum);
    }
    return overall;
}

} // namespace fenster
