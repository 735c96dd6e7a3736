#include "FormsTest.h"

#include "VandlForm.h"
#include "dialogs/HStrecker.h"
#include "dialogs/SprossenBreite.h"
#include "SpinEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace fenster {
namespace {

using VandlFormTest = FormsTest;

// A dialog with nothing but the bottom panel, the way tests need it.
class PlainDialog : public TVANDLFORMMODAL {
public:
    explicit PlainDialog(QSize design = QSize(394, 272))
    {
        setWindowTitle(QStringLiteral("Probe"));
        setDesignSize(design);
        FormCreate();
    }
};

TEST_F(VandlFormTest, ModalResultsFollowButtonsKeysAndCloseBox)
{
    struct Case {
        const char* name;
        std::function<void(TVANDLFORMMODAL*)> act;
        int result;
    };
    const Case cases[] = {
        {"OK button", [](TVANDLFORMMODAL* d) { QTest::mouseClick(d->ASButtonOK, Qt::LeftButton); }, 1},
        {"Abbruch button", [](TVANDLFORMMODAL* d) { QTest::mouseClick(d->ASBCancel, Qt::LeftButton); }, 2},
        {"Escape", [](TVANDLFORMMODAL* d) { PressKey(d, Qt::Key_Escape); }, 2},
        {"Escape sent to the dialog itself", [](TVANDLFORMMODAL* d) { QTest::keyClick(d, Qt::Key_Escape); }, 2},
        {"close box", [](TVANDLFORMMODAL* d) { d->close(); }, 2},
        {"OK accelerator", [](TVANDLFORMMODAL* d) { QTest::keyClick(d->windowHandle(), Qt::Key_O, Qt::AltModifier); }, 1},
        {"modal result set by code", [](TVANDLFORMMODAL* d) { d->setModalResult(7); }, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlainDialog dialog;
        OnModal([&](QWidget*) { c.act(&dialog); });
        EXPECT_EQ(dialog.ShowModal(), c.result);
        EXPECT_EQ(dialog.ModalResult(), c.result);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(VandlFormTest, DisabledOkNeverGivesOne)
{
    PlainDialog dialog;
    dialog.ASButtonOK->setEnabled(false);
    bool stayedOpen = false;
    OnModal([&](QWidget*) {
        QTest::mouseClick(dialog.ASButtonOK, Qt::LeftButton);
        dialog.LMDButtonOKClick();
        dialog.accept();
        QTest::keyClick(dialog.windowHandle(), Qt::Key_O, Qt::AltModifier);
        stayedOpen = dialog.isVisible() && dialog.ModalResult() == 0;
        PressKey(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(stayedOpen);
}

TEST_F(VandlFormTest, EnterDoesNotPressAButtonInADialog)
{
    int barWidth = 10;
    int sprossen = 20;
    int sprossenV = 30;
    bool stayedOpen = false;
    OnModal([&](QWidget* modal) {
        auto* dialog = static_cast<TForm_SprossenBreite*>(modal);
        dialog->SpinEditRahmenBreite->setValue(99);
        PressKey(dialog, Qt::Key_Return);
        PressKey(dialog, Qt::Key_Enter);
        dialog->ASButtonOK->setFocus();
        PressKey(dialog, Qt::Key_Return);
        stayedOpen = dialog->isVisible();
        PressKey(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditBarWidths(nullptr, barWidth, sprossen, sprossenV));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(barWidth, 10);
}

// Key preview: the form's handlers see keys before the focused control and
// can consume them.
class PreviewForm : public TVANDLFORM {
public:
    PreviewForm()
    {
        edit = new QLineEdit(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        FormCreate();
    }
    QLineEdit* edit;
    QList<int> keysDown;
    QString characters;

protected:
    void FormKeyDown(int& key, Qt::KeyboardModifiers) override
    {
        keysDown << key;
        if (key == Qt::Key_F5)
            key = 0;
    }
    void FormKeyPress(QChar& key) override
    {
        characters += key;
        if (key == QLatin1Char('x'))
            key = QChar();
    }
};

TEST_F(VandlFormTest, KeyPreviewSeesKeysFirstAndOnce)
{
    PreviewForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.edit->setFocus();
    for (char c : {'a', 'x', 'b'})
        QTest::keyClick(form.windowHandle(), c);
    QTest::keyClick(form.windowHandle(), Qt::Key_F5);
    EXPECT_EQ(form.edit->text(), QStringLiteral("ab"));
    EXPECT_EQ(form.characters, QStringLiteral("axb"));
    EXPECT_EQ(form.keysDown, (QList<int>{Qt::Key_A, Qt::Key_X, Qt::Key_B, Qt::Key_F5}));
}

TEST_F(VandlFormTest, FormsAreFittedToTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    PlainDialog dialog(screen * 3);
    EXPECT_LE(dialog.width(), screen.width());
    EXPECT_LE(dialog.height(), screen.height());
    EXPECT_LE(dialog.minimumWidth(), screen.width());
    EXPECT_LE(dialog.minimumHeight(), screen.height());

    TVANDLFORM form;
    form.setMinimumSize(screen * 2);
    form.resize(screen * 3);
    form.FormCreate();
    EXPECT_EQ(form.minimumSize(), screen);
    EXPECT_EQ(form.size(), screen);

    PlainDialog small;
    EXPECT_GE(small.width(), 400);
    EXPECT_GE(small.height(), 300);
}

TEST_F(VandlFormTest, ThemeIsAppliedOnTheFirstShowOnly)
{
    THStrecker dialog(1200, 800);
    EXPECT_NE(dialog.palette().color(QPalette::Window), ThemeColour);
    EXPECT_EQ(dialog.Label1->font().family(), QStringLiteral("Arial"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), ThemeColour);
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Tahoma"));
    // Labels take the name, never the size or weight.
    EXPECT_EQ(dialog.Label1->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(dialog.Label1->font().pixelSize(), 12);
    EXPECT_EQ(dialog.Label2->font().bold(), true);
    EXPECT_EQ(dialog.Label2->font().pixelSize(), 17);
    // Edit fields keep their design font.
    EXPECT_EQ(dialog.Edit2->font().family(), QStringLiteral("Arial"));

    dialog.Label1->setFont(QFont(QStringLiteral("Arial")));
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.Label1->font().family(), QStringLiteral("Arial"));
}

// The main window keeps its design look by replacing the show handler.
class MainLikeForm : public TVANDLFORM {
public:
    MainLikeForm()
    {
        label = new QLabel(QStringLiteral("Teilhöhe"), this);
        label->setFont(QFont(QStringLiteral("Arial")));
        FormCreate();
    }
    QLabel* label;

protected:
    void FormShow() override { }
};

TEST_F(VandlFormTest, FormWithItsOwnShowHandlerIsNotThemed)
{
    MainLikeForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.label->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(form.firstShow());
}

TEST_F(VandlFormTest, MemosTakeTheThemeOnlyWhenReadOnlyWithTagOne)
{
    struct Case {
        bool readOnly;
        int tag;
        QColor base;
    };
    const Case cases[] = {
        {true, 1, ThemeColour},
        {true, 0, Qt::white},
        {false, 1, Qt::white},
        {false, 0, Qt::white},
    };
    for (const Case& c : cases) {
        QWidget form;
        auto* panel = new QFrame(&form);
        auto* memo = new QPlainTextEdit(panel);
        memo->setReadOnly(c.readOnly);
        memo->setProperty("tag", c.tag);
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Base, Qt::green);
        memo->setPalette(palette);
        ApplyFormTheme(&form, ThemeColour, Qt::black);
        EXPECT_EQ(memo->palette().color(QPalette::Base), c.base) << c.readOnly << " " << c.tag;
        EXPECT_EQ(panel->palette().color(QPalette::Window), ThemeColour);
    }
}

TEST_F(VandlFormTest, ButtonsSitRightWithAbbruchAtTheEdge)
{
    PlainDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.PanelBottom->height(), 66);
    EXPECT_LT(dialog.ASButtonOK->x(), dialog.ASBCancel->x());
    EXPECT_EQ(dialog.PanelBottom->width() - (dialog.ASBCancel->x() + dialog.ASBCancel->width()), 10);
    EXPECT_GE(dialog.ASButtonOK->width(), 100);
    EXPECT_GE(dialog.ASButtonOK->height(), 56);
    EXPECT_EQ(dialog.ASButtonOK->text(), QStringLiteral("&OK"));
    EXPECT_EQ(dialog.ASBCancel->text(), QStringLiteral("&Abbruch"));
    EXPECT_FALSE(dialog.ASButtonOK->icon().isNull());
    EXPECT_FALSE(dialog.ASBCancel->icon().isNull());
    dialog.close();
}

} // namespace
} // namespace fenster
