#include "FormsTest.h"

#include "Dialogs.h"
#include "SpinEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace fenster {
namespace {

using DialogsTest = FormsTest;

void clickOk(QWidget* modal)
{
    QTest::mouseClick(static_cast<TVANDLFORMMODAL*>(modal)->ASButtonOK, Qt::LeftButton);
}

void clickCancel(QWidget* modal)
{
    QTest::mouseClick(static_cast<TVANDLFORMMODAL*>(modal)->ASBCancel, Qt::LeftButton);
}

// Replaces the text of a spin edit as typed by the user.
void typeInto(TSpinEdit* spin, const QString& text)
{
    auto* edit = spin->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

// The controls of list in the order the Tab key visits them.
QList<QWidget*> tabSequence(QWidget* dialog, const QList<QWidget*>& controls)
{
    QList<QWidget*> order;
    QWidget* widget = dialog;
    do {
        widget = widget->nextInFocusChain();
        if (controls.contains(widget) && !order.contains(widget))
            order << widget;
    } while (widget != dialog);
    return order;
}

TEST_F(DialogsTest, BarWidthsAreWrittenBackOnlyOnOk)
{
    struct Case {
        const char* name;
        std::function<void(TForm_SprossenBreite*)> act;
        bool ok;
        int rahmen, sprossen, sprossenV;
    };
    const Case cases[] = {
        {"OK with new values",
            [](TForm_SprossenBreite* d) {
                d->SpinEditRahmenBreite->setValue(70);
                typeInto(d->SpinSprossenBreiteHorizontal, QStringLiteral("45"));
                d->SpinSprossenBreiteVertikal->setValue(5000); // beyond 1000
                clickOk(d);
            },
            true, 70, 45, 1000},
        {"OK unchanged", [](TForm_SprossenBreite* d) { clickOk(d); }, true, 10, 20, 30},
        {"cleared field reads as its lower bound",
            [](TForm_SprossenBreite* d) {
                typeInto(d->SpinSprossenBreiteHorizontal, QString());
                QTest::keyClick(d->windowHandle(), Qt::Key_O, Qt::AltModifier);
            },
            true, 10, 1, 30},
        {"Abbruch after changes",
            [](TForm_SprossenBreite* d) {
                d->SpinEditRahmenBreite->setValue(70);
                clickCancel(d);
            },
            false, 10, 20, 30},
        {"Escape after changes",
            [](TForm_SprossenBreite* d) {
                d->SpinSprossenBreiteVertikal->setValue(3);
                PressKey(d, Qt::Key_Escape);
            },
            false, 10, 20, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int rahmen = 10, sprossen = 20, sprossenV = 30;
        QStringList shown;
        OnModal([&](QWidget* modal) {
            auto* d = static_cast<TForm_SprossenBreite*>(modal);
            shown = {d->windowTitle(), QString::number(d->SpinEditRahmenBreite->Value()),
                QString::number(d->SpinSprossenBreiteHorizontal->Value()),
                QString::number(d->SpinSprossenBreiteVertikal->Value())};
            c.act(d);
        });
        EXPECT_EQ(EditBarWidths(nullptr, rahmen, sprossen, sprossenV), c.ok);
        EXPECT_EQ(shown, (QStringList{"Sprossen Breite", "10", "20", "30"}));
        EXPECT_EQ(rahmen, c.rahmen);
        EXPECT_EQ(sprossen, c.sprossen);
        EXPECT_EQ(sprossenV, c.sprossenV);
    }
}

TEST_F(DialogsTest, SheetChoiceIsWrittenBackOnlyOnOkWithAWholeRatio)
{
    struct Case {
        const char* name;
        std::function<void(TForm_ExportBlatt*)> act;
        bool ok;
        SheetChoice result;
        bool okEnabled; // after act, before the dialog closes
    };
    const SheetChoice start { QStringLiteral("A3"), true, 50 };
    const Case cases[] = {
        { "A4 portrait at a typed 1:75",
            [](TForm_ExportBlatt* d) {
                d->ComboPapier->setCurrentIndex(0);
                d->RadioHochformat->click();
                d->ComboMassstab->lineEdit()->selectAll();
                QTest::keyClicks(d->ComboMassstab->lineEdit(), QStringLiteral("75"));
            },
            true, { QStringLiteral("A4"), false, 75 }, true },
        { "a ratio from the list", [](TForm_ExportBlatt* d) { d->ComboMassstab->setCurrentIndex(2); }, true,
            { QStringLiteral("A3"), true, 25 }, true },
        { "ratio 0 keeps OK disabled",
            [](TForm_ExportBlatt* d) {
                d->ComboMassstab->lineEdit()->selectAll();
                QTest::keyClicks(d->ComboMassstab->lineEdit(), QStringLiteral("0"));
            },
            false, start, false },
        { "an emptied ratio keeps OK disabled", [](TForm_ExportBlatt* d) { d->ComboMassstab->setEditText(QString()); },
            false, start, false },
        { "digits beyond 10000 are not taken",
            [](TForm_ExportBlatt* d) {
                d->ComboMassstab->lineEdit()->selectAll();
                QTest::keyClicks(d->ComboMassstab->lineEdit(), QStringLiteral("100001"));
            },
            true, { QStringLiteral("A3"), true, 10000 }, true },
        { "Abbruch", [](TForm_ExportBlatt* d) { d->ComboPapier->setCurrentIndex(0); }, false, start, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetChoice choice = start;
        SheetChoice shown;
        bool okEnabled = false;
        QStringList names;
        OnModal([&](QWidget* modal) {
            auto* d = static_cast<TForm_ExportBlatt*>(modal);
            shown = d->choice();
            names = { d->ComboPapier->accessibleName(), d->GroupAusrichtung->accessibleName(),
                d->RadioHochformat->accessibleName(), d->RadioQuerformat->accessibleName(),
                d->ComboMassstab->accessibleName() };
            c.act(d);
            okEnabled = d->ASButtonOK->isEnabled();
            if (c.ok || !okEnabled)
                clickOk(d); // a disabled OK must not close the dialog with 1
            if (d->isVisible())
                clickCancel(d);
        });
        EXPECT_EQ(EditSheetChoice(nullptr, choice), c.ok);
        EXPECT_EQ(shown, start);
        EXPECT_EQ(names, (QStringList { "Papier", "Ausrichtung", "Hochformat", "Querformat", QString::fromUtf8("Maßstab 1:") }));
        EXPECT_EQ(okEnabled, c.okEnabled);
        EXPECT_EQ(choice, c.result);
    }
}

TEST_F(DialogsTest, SegmentArchIsWrittenBackOnlyOnOk)
{
    struct Case {
        const char* name;
        std::function<void(TFORM_SegmentbogenFensteranlage*)> act;
        bool ok;
        int left, middle, right, width;
    };
    const Case cases[] = {
        {"OK with new heights",
            [](TFORM_SegmentbogenFensteranlage* d) {
                d->links->setValue(900);
                typeInto(d->mitte, QStringLiteral("1300"));
                d->rechts->setValue(-5); // no range limit
                clickOk(d);
            },
            true, 900, 1300, -5, 2000},
        {"cleared field without limit reads as 0",
            [](TFORM_SegmentbogenFensteranlage* d) {
                typeInto(d->links, QString());
                clickOk(d);
            },
            true, 0, 1000, 1000, 2000},
        {"Abbruch", [](TFORM_SegmentbogenFensteranlage* d) { d->links->setValue(1); clickCancel(d); },
            false, 1000, 1000, 1000, 2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int left = 1000, middle = 1000, right = 1000, width = 2000;
        bool readOnlyWidth = false;
        OnModal([&](QWidget* modal) {
            auto* d = static_cast<TFORM_SegmentbogenFensteranlage*>(modal);
            readOnlyWidth = d->Breite->isReadOnly() && d->Breite->Value() == 2000;
            c.act(d);
        });
        EXPECT_EQ(EditSegmentArch(nullptr, left, middle, right, width), c.ok);
        EXPECT_TRUE(readOnlyWidth);
        EXPECT_EQ((QList<int>{left, middle, right, width}), (QList<int>{c.left, c.middle, c.right, c.width}));
    }
}

TEST_F(DialogsTest, ScaleFactorIsStoredOnlyOnOk)
{
    int skalierung = 4;
    OnModal([](QWidget* modal) {
        auto* d = static_cast<TForm_FensterEinstellungen*>(modal);
        EXPECT_FALSE(d->GroupBox2->isVisible());
        EXPECT_FALSE(d->GroupBox3->isVisible());
        EXPECT_EQ(d->SkalierungsfaktorEdit->Value(), 4);
        d->SkalierungsfaktorEdit->setValue(50); // 1 ... 20
        clickOk(d);
    });
    EXPECT_TRUE(EditScaleFactor(nullptr, skalierung));
    EXPECT_EQ(skalierung, 20);

    OnModal([](QWidget* modal) {
        static_cast<TForm_FensterEinstellungen*>(modal)->SkalierungsfaktorEdit->setValue(7);
        PressKey(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(EditScaleFactor(nullptr, skalierung));
    EXPECT_EQ(skalierung, 20);
}

TEST_F(DialogsTest, DimensionValuesDisableWhatTheLineLacks)
{
    std::optional<int> horizontal = 750;
    std::optional<int> vertical;
    bool verticalDisabled = false;
    OnModal([&](QWidget* modal) {
        auto* d = static_cast<TMassDialog*>(modal);
        verticalDisabled = !d->SpinEdit2->isEnabled() && !d->Label2->isEnabled() && d->SpinEdit2->Value() == 1;
        d->SpinEdit1->setValue(800);
        d->SpinEdit2->setValue(5);
        clickOk(d);
    });
    EXPECT_TRUE(EditDimensionValues(nullptr, horizontal, vertical));
    EXPECT_TRUE(verticalDisabled);
    EXPECT_EQ(horizontal, 800);
    EXPECT_EQ(vertical, std::nullopt);

    OnModal([](QWidget* modal) {
        static_cast<TMassDialog*>(modal)->SpinEdit1->setValue(3);
        clickCancel(modal);
    });
    EXPECT_FALSE(EditDimensionValues(nullptr, horizontal, vertical));
    EXPECT_EQ(horizontal, 800);
}

TEST_F(DialogsTest, WindowSizeDialogHandsBackTheTextsAsTyped)
{
    QString newWidth = QStringLiteral("unchanged");
    QString newHeight = QStringLiteral("unchanged");
    QStringList shown;
    OnModal([&](QWidget* modal) {
        auto* d = static_cast<THStrecker*>(modal);
        shown = {d->windowTitle(), d->Label2->text(), d->Edit2->text(), d->Edit1->text()};
        d->Edit2->setText(QStringLiteral("12a"));
        clickOk(d);
    });
    EXPECT_TRUE(EditWindowSize(nullptr, 1200, 800, newWidth, newHeight));
    EXPECT_EQ(shown, (QStringList{QString::fromUtf8("Fenstermaße ändern"), "800 x 1200", "1200", "800"}));
    EXPECT_EQ(newWidth, QStringLiteral("12a"));
    EXPECT_EQ(newHeight, QStringLiteral("800"));

    OnModal([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
    EXPECT_FALSE(EditWindowSize(nullptr, 1, 2, newWidth, newHeight));
    EXPECT_EQ(newWidth, QStringLiteral("12a"));
}

TEST_F(DialogsTest, TabOrderAndInitialFocus)
{
    THStrecker strecker(1000, 1000);
    TMassDialog mass;
    TForm_SprossenBreite bars;
    TFORM_SegmentbogenFensteranlage arch;
    TForm_FensterEinstellungen settings;
    struct Case {
        const char* name;
        TVANDLFORMMODAL* dialog;
        QList<QWidget*> order;
        QWidget* initial;
    };
    const Case cases[] = {
        {"resize", &strecker, {strecker.Edit2, strecker.Edit1}, strecker.Edit2},
        {"dimension", &mass, {mass.SpinEdit1, mass.SpinEdit2}, mass.SpinEdit1},
        {"bar widths", &bars,
            {bars.SpinEditRahmenBreite, bars.SpinSprossenBreiteHorizontal, bars.SpinSprossenBreiteVertikal},
            bars.SpinSprossenBreiteHorizontal},
        {"segment arch", &arch, {arch.links, arch.mitte, arch.rechts, arch.Breite}, arch.links},
        {"settings", &settings, {settings.SkalierungsfaktorEdit}, settings.SkalierungsfaktorEdit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QList<QWidget*> expected = c.order;
        expected << c.dialog->ASButtonOK << c.dialog->ASBCancel;
        // The sequence is a cycle: compare it from its first control on.
        QList<QWidget*> order = tabSequence(c.dialog, expected);
        const qsizetype first = order.indexOf(expected.front());
        ASSERT_GE(first, 0);
        order = order.mid(first) + order.mid(0, first);
        EXPECT_EQ(order, expected);
        c.dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.dialog));
        QWidget* focus = c.dialog->focusWidget();
        EXPECT_TRUE(focus == c.initial || (focus && focus->parentWidget() == c.initial));
        c.dialog->close();
    }
}

TEST_F(DialogsTest, CaptionsAndRanges)
{
    TMassDialog mass;
    TForm_SprossenBreite bars;
    TFORM_SegmentbogenFensteranlage arch;
    TForm_FensterEinstellungen settings;
    EXPECT_EQ(mass.windowTitle(), QString::fromUtf8("Maßzahlen einstellen"));
    EXPECT_EQ(bars.windowTitle(), QStringLiteral("Sprossen Breite"));
    EXPECT_EQ(arch.windowTitle(), QStringLiteral("Segmentbogen Fensteranlage"));
    EXPECT_EQ(settings.windowTitle(), QStringLiteral("Einstellungen"));
    struct Range {
        TSpinEdit* spin;
        int min, max;
    };
    const Range ranges[] = {
        {mass.SpinEdit1, 1, 999999999}, {mass.SpinEdit2, 1, 999999999},
        {bars.SpinEditRahmenBreite, 1, 1000}, {bars.SpinSprossenBreiteHorizontal, 1, 1000},
        {bars.SpinSprossenBreiteVertikal, 1, 1000}, {arch.links, INT_MIN, INT_MAX},
        {arch.Breite, INT_MIN, INT_MAX}, {settings.SkalierungsfaktorEdit, 1, 20},
        {settings.LinkerRand, 1, 500}, {settings.RechterRand, 1, 500},
    };
    for (const Range& r : ranges) {
        EXPECT_EQ(r.spin->minimum(), r.min) << r.spin->objectName().toStdString();
        EXPECT_EQ(r.spin->maximum(), r.max) << r.spin->objectName().toStdString();
    }
    EXPECT_EQ(mass.SpinEdit1->Value(), 1);
    EXPECT_GE(arch.width(), 420);
    EXPECT_GE(arch.height(), 349);
}

} // namespace
} // namespace fenster
