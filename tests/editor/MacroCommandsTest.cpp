#include "MacroCommands.h"

#include "EditorDocument.h"
#include "Macros.h"

#include "Dialogs.h"
#include "FormsTest.h"
#include "MessageBox.h"
#include "SpinEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace fenster;

namespace {

class MacroCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void load(const char* description)
    {
        m_document.setMemo1(QString::fromLatin1(description));
        ASSERT_FALSE(m_document.Auswerten1Click());
    }

    // The text of the next message box, which is then closed with OK.
    void expectMessage(QString* text)
    {
        OnModal([text](QWidget* modal) {
            auto* box = qobject_cast<TForm_Messagebox*>(modal);
            ASSERT_TRUE(box) << modal->metaObject()->className();
            *text = box->Messagetext->text();
            PressKey(modal, Qt::Key_Return);
        });
    }

    EditorDocument m_document;
    MacroCommands m_macros { m_document, nullptr };
};

void ClickOk(QWidget* dialog)
{
    QTest::mouseClick(static_cast<TVANDLFORMMODAL*>(dialog)->ASButtonOK, Qt::LeftButton);
}

TEST_F(MacroCommandsTest, RowMacrosAddTheirRowAndSelectIt)
{
    struct Case {
        const char* name;
        void (MacroCommands::*command)();
        const char* after;
        int row;
    };
    const Case cases[] = {
        { "roller-shutter box", &MacroCommands::Rolladenkastenhinzufgen1Click,
            "1200,1000,2,1000,1,1000,F;200,1,1000,F,J;", 2 },
        { "sill connection", &MacroCommands::Fensterbankanschlaghinzufgen1Click,
            "1020,1000,2,20,1,1000,F,B;1000,1,1000,F;", 1 },
        { "bottom row", &MacroCommands::Zeileeinfgen2Click, "1500,1000,2,500,1,1000,F;1000,1,1000,F;", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load("1000,1000,1,1000,1,1000,F;");
        (m_macros.*c.command)();
        EXPECT_EQ(m_document.Memo1(), QString::fromLatin1(c.after));
        EXPECT_EQ(m_document.SelectedRow(), c.row);
        EXPECT_EQ(m_document.SelectedField(), 1);
    }
}

TEST_F(MacroCommandsTest, RefusalsShowAMessageAndLeaveTheWindow)
{
    load("1000,500,1,1000,1,500,F;");
    m_document.model().SetRowCount(10);
    m_document.UpdateAll();
    const QString before = m_document.Memo1();
    QString shown;
    expectMessage(&shown);
    QSignalSpy changed(&m_document, &EditorDocument::changed);
    m_macros.Rolladenkastenhinzufgen1Click();
    EXPECT_EQ(shown, QString::fromUtf8(kTooManyRowsForRollerShutterBox));
    EXPECT_EQ(m_document.Memo1(), before);
    EXPECT_EQ(changed.count(), 1); // the round trip still ran

}

TEST_F(MacroCommandsTest, SegmentArchOnAStraightLineIsRefused)
{
    load("1000,1000,1,1000,1,1000,F;");
    QString shown;
    OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TFORM_SegmentbogenFensteranlage*>(modal);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->links->Value(), 1000);
        EXPECT_EQ(dialog->Breite->Value(), 1000);
        dialog->mitte->setValue(1000);
        dialog->links->setValue(900);
        dialog->rechts->setValue(1100);
        ClickOk(modal);
        expectMessage(&shown);
    });
    m_macros.SegmentbogenAnlgae1Click();
    EXPECT_EQ(shown, QString::fromUtf8(kSegmentArchOnStraightLine));
    EXPECT_EQ(m_document.Memo1(), QStringLiteral("1000,1000,1,1000,1,1000,F;"));
}

TEST_F(MacroCommandsTest, SegmentArchBendsTheTopRow)
{
    load("1000,1000,1,1000,1,1000,F;");
    OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<TFORM_SegmentbogenFensteranlage*>(modal);
        ASSERT_TRUE(dialog);
        dialog->mitte->setValue(1200);
        ClickOk(modal);
    });
    m_macros.SegmentbogenAnlgae1Click();
    EXPECT_EQ(m_document.Memo1(), QStringLiteral("1200,1000,1,1200,1,1000,F,T:9,r:1200,e:1000,b:1000;"));
}

TEST_F(MacroCommandsTest, WindowSizeDialogScalesOrRefuses)
{
    struct Case {
        const char* name;
        const char* width;
        const char* height;
        const char* after;
        QString message; // empty: none
    };
    const Case cases[] = {
        { "taller", "500", "1500", "1500,500,1,1500,1,500,F;", {} },
        { "wider", "1000", "1000", "1000,1000,1,1000,1,1000,F;", {} },
        { "letters in the width", "12a", "1500", "1000,500,1,1000,1,500,F;", NotAnIntegerMessage("12a") },
        { "empty height", "500", "", "1000,500,1,1000,1,500,F;", NotAnIntegerMessage("") },
        { "zero", "0", "1000", "1000,500,1,1000,1,500,F;", QString::fromUtf8(kNewSizeNotPositive) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load("1000,500,1,1000,1,500,F;");
        QString shown;
        QStringList offered;
        OnModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<THStrecker*>(modal);
            ASSERT_TRUE(dialog);
            offered = { dialog->Label2->text(), dialog->Edit2->text(), dialog->Edit1->text() };
            dialog->Edit2->setText(QString::fromLatin1(c.width));
            dialog->Edit1->setText(QString::fromLatin1(c.height));
            ClickOk(modal);
            if (!c.message.isEmpty())
                expectMessage(&shown);
        });
        QSignalSpy changed(&m_document, &EditorDocument::changed);
        m_macros.Berechnungen1Click();
        EXPECT_EQ(offered, (QStringList { "1000 x 500", "500", "1000" }));
        EXPECT_EQ(m_document.Memo1(), QString::fromLatin1(c.after));
        EXPECT_EQ(shown, c.message);
        EXPECT_GE(changed.count(), 1);
    }

    // Cancel changes nothing.
    load("1000,500,1,1000,1,500,F;");
    OnModal([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
    m_macros.Berechnungen1Click();
    EXPECT_EQ(m_document.Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
}

} // namespace
