#include "MacroCommands.h"

#include "EditorDocument.h"

#include "Dialogs.h"
#include "IntegerText.h"
#include "Macros.h"
#include "MessageBox.h"

#include <optional>

namespace fenster {

namespace {

std::optional<std::int32_t> WholeNumber(const QString& text)
{
    return StrictToInt(text.toStdString());
}

} // namespace

QString NotAnIntegerMessage(const QString& text)
{
    return QStringLiteral("'") + text + QStringLiteral("' ist kein gültiger Integer-Wert");
}

MacroCommands::MacroCommands(EditorDocument& document, QWidget* dialogParent, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_dialogParent(dialogParent)
{
}

void MacroCommands::finish(const MacroResult& result, const char* caption)
{
    if (result.selection)
        m_document.setSelection(result.selection->row, result.selection->field);
    m_document.SelectField();
    m_document.UpdateAll();
    if (result.refusal)
        ShowInfo(QString::fromUtf8(caption), QString::fromUtf8(result.refusal->c_str()));
}

void MacroCommands::Rolladenkastenhinzufgen1Click()
{
    finish(AddRollerShutterBox(m_document.model()), "Rolladenkasten hinzufügen");
}

void MacroCommands::Fensterbankanschlaghinzufgen1Click()
{
    finish(InsertSillConnection(m_document.model()), "Fensterbankanschlag einfügen");
}

void MacroCommands::Zeileeinfgen2Click()
{
    finish(InsertBottomRowMacro(m_document.model()), "Nue Zeile untern einfügen");
}

void MacroCommands::SegmentbogenAnlgae1Click()
{
    TFenster& window = m_document.model();
    const int height = OverallHeight(window);
    int left = height;
    int middle = height;
    int right = height;
    int width = OverallWidth(window);
    MacroResult result;
    if (EditSegmentArch(m_dialogParent, left, middle, right, width))
        result = SegmentArch(window, left, middle, right, width);
    finish(result, "Segmentbogen Anlage");
}

void MacroCommands::Berechnungen1Click()
{
    TFenster& window = m_document.model();
    QString widthText;
    QString heightText;
    MacroResult result;
    QString conversionError;
    if (EditWindowSize(m_dialogParent, OverallWidth(window), OverallHeight(window), widthText, heightText)) {
        const auto newWidth = WholeNumber(widthText);
        const auto newHeight = WholeNumber(heightText);
        if (!newWidth)
            conversionError = NotAnIntegerMessage(widthText);
        else if (!newHeight)
            conversionError = NotAnIntegerMessage(heightText);
        else
            result = ScaleWindow(window, *newHeight, *newWidth);
    }
    finish(result, "Fenstermaße ändern");
    if (!conversionError.isEmpty())
        ShowError(conversionError);
}

} // namespace fenster
