// The commands of "&Bemaßung" and "&Symbole" that edit a selected record of
// the dimension line list or the symbol list.

#include "Interaction.h"

#include "DrawingArea.h"
#include "EditorDocument.h"

#include "Annotations.h"
#include "Dialogs.h"

#include <cstdlib>

namespace fenster {

namespace {

// The list without record index (0-based) and the line break after it, so
// that the record that follows moves up into its line. A list without that
// record comes back unchanged.
QString WithoutRecord(const QString& list, AnnotationList kind, int index)
{
    const std::string text = list.toStdString();
    const std::vector<RecordSpan> spans = RecordSpans(text, kind);
    if (index < 0 || std::size_t(index) >= spans.size())
        return list;
    std::size_t end = spans[std::size_t(index)].end;
    if (end < text.size() && text[end] == '\r')
        ++end;
    if (end < text.size() && text[end] == '\n')
        ++end;
    std::string out = text.substr(0, spans[std::size_t(index)].begin);
    out += text.substr(end);
    return QString::fromStdString(out);
}

} // namespace

void Interaction::Symbollschen1Click()
{
    if (m_document.SelectedSymbol() == -1) {
        reportError(QStringLiteral("Es wurde kein Symbol ausgewählt!"));
        return;
    }
    const QString list = WithoutRecord(m_document.Memo2(), AnnotationList::Symbols, m_document.SelectedSymbol());
    if (list != m_document.Memo2())
        m_document.setMemo2(list);
    m_document.setSelectedSymbol(-1);
    repaint();
}

void Interaction::rewriteSelectedSymbol(bool grow)
{
    const int selected = m_document.SelectedSymbol();
    if (selected < 0) {
        reportError(QStringLiteral("Kein Symbol ausgewählt!"));
        return;
    }
    const std::string list = m_document.Memo2().toStdString();
    const ListRewrite rewrite = grow ? GrowSymbol(list, selected) : ShrinkSymbol(list, selected);
    if (!rewrite.ok()) {
        reportError(QString::fromStdString(rewrite.error));
        return;
    }
    m_document.setMemo2(QString::fromStdString(rewrite.list));
    repaint();
}

void Interaction::Symbolvergrern1Click()
{
    rewriteSelectedSymbol(true);
}

void Interaction::Symbolverkleiner1Click()
{
    rewriteSelectedSymbol(false);
}

void Interaction::Masslinielschen1Click()
{
    m_document.setSelectedSymbol(-1);
    const int selected = m_document.SelectedDimLine();
    if (selected <= 0) {
        reportError(QStringLiteral("Keine Maßlinie ausgewählt!"));
        return;
    }
    // The number stays: the record that moves up into its place is selected next.
    const QString list = WithoutRecord(m_document.Memo3(), AnnotationList::DimensionLines, selected - 1);
    if (list != m_document.Memo3())
        m_document.setMemo3(list);
    repaint();
}

void Interaction::Mazahleneinstellen1Click()
{
    const int selected = m_document.SelectedDimLine();
    if (m_mouseMode != MouseMode::DimensionLine || selected <= 0) {
        reportError(QStringLiteral("Keine Maßlinie ausgewählt!"));
        return;
    }
    const std::string list = m_document.Memo3().toStdString();
    if (RecordSpans(list, AnnotationList::DimensionLines).empty()) {
        reportError(QStringLiteral("Keine Maßlinie ausgewählt!"));
        return;
    }
    const RecordReading<DimensionRecord> reading = ReadDimensionRecord(list, selected);
    if (!reading.value) {
        reportError(QString::fromStdString(reading.error));
        return;
    }
    const DimensionRecord& record = *reading.value;
    std::optional<int> horizontal;
    std::optional<int> vertical;
    if (record.dy != 0)
        horizontal = std::abs(record.x2 - record.x1);
    if (record.dx != 0)
        vertical = std::abs(record.y2 - record.y1);
    if (!EditDimensionValues(m_window, horizontal, vertical))
        return;
    const ListRewrite rewrite = SetDimensionLengths(list, selected, horizontal.value_or(1), vertical.value_or(1));
    if (!rewrite.ok()) {
        reportError(QString::fromStdString(rewrite.error));
        return;
    }
    m_document.setMemo3(QString::fromStdString(rewrite.list));
    repaint();
}

} // namespace fenster
