#include "EditorDocument.h"

#include "Description.h"

namespace fenster {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

EditorDocument::EditorDocument(QObject* parent)
    : QObject(parent)
    , m_model(std::make_unique<TFenster>())
{
    m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
}

EditorDocument::~EditorDocument() = default;

void EditorDocument::takeDescription(const QString& text)
{
    m_memo1 = text;
    if (m_memo1.isEmpty()) {
        m_model = std::make_unique<TFenster>();
        m_selectedRow = 1;
        m_selectedField = 1;
        m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
    }
}

void EditorDocument::setMemo1(const QString& text)
{
    takeDescription(text);
    emit changed();
}

void EditorDocument::replaceDocument(const QString& description, const QString& symbols,
    const QString& dimensionLines, const QString& name)
{
    takeDescription(description);
    m_memo2 = symbols;
    m_memo3 = dimensionLines;
    m_documentName = name;
    m_selectedSymbol = -1;
    m_selectedDimLine = 0;
    emit replaced();
    emit changed();
}

void EditorDocument::setMemo2(const QString& text)
{
    m_memo2 = text;
    emit changed();
}

void EditorDocument::setMemo3(const QString& text)
{
    m_memo3 = text;
    emit changed();
}

void EditorDocument::setSelection(int row, int field)
{
    m_selectedRow = row;
    m_selectedField = field;
}

void EditorDocument::setSelectedSymbol(int index)
{
    m_selectedSymbol = index;
    emit changed();
}

void EditorDocument::setSelectedDimLine(int number)
{
    m_selectedDimLine = number;
    emit changed();
}

void EditorDocument::setMargins(int left, int bottom)
{
    m_leftMargin = left;
    m_bottomMargin = bottom;
}

void EditorDocument::SelectField()
{
    PositionCursors(*m_model, m_selectedRow, m_selectedField);
}

void EditorDocument::UpdateAll()
{
    m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
    emit changed();
}

std::optional<QString> EditorDocument::readModelFromText()
{
    ReadResult result = ReadDescription(m_memo1.toStdString());
    m_model = std::move(result.model);
    if (result.error)
        return Utf8(*result.error);
    return std::nullopt;
}

std::optional<QString> EditorDocument::Auswerten1Click()
{
    if (auto error = readModelFromText())
        return error;
    SelectField();
    UpdateAll();
    return std::nullopt;
}

} // namespace fenster
