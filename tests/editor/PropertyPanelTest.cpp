#include "PropertyPanel.h"

#include "Description.h"
#include "EditorDocument.h"
#include "EditorTestApp.h"
#include "SpinEdit.h"
#include "Window.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

using namespace fenster;

namespace {

// Field `field` of row `row` (both from 1) without moving the cursors.
TFensterlement& FieldAt(TFenster& window, int row, int field)
{
    TZeile* r = window.bottomRow();
    for (int i = 1; i < row; ++i)
        r = r->next();
    TFensterlement* f = r->leftmostField();
    for (int j = 1; j < field; ++j)
        f = f->next();
    return *f;
}

TZeile& RowAt(TFenster& window, int row)
{
    TZeile* r = window.bottomRow();
    for (int i = 1; i < row; ++i)
        r = r->next();
    return *r;
}

class PropertyPanelTest : public ::testing::Test {
public:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        m_panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_panel));
    }

    // Row heights from the bottom, each row with the given number of fields;
    // the selection afterwards, and the panel refreshed from all of it.
    void shape(const std::vector<std::pair<int, int>>& rows, int selectedRow = 1, int selectedField = 1)
    {
        TFenster& window = m_document.model();
        window.SetRowCount(int(rows.size()));
        int i = 1;
        for (auto [height, fields] : rows) {
            RowAt(window, i).setHeight(height);
            RowAt(window, i).SetFieldCount(fields);
            ++i;
        }
        m_document.setSelection(selectedRow, selectedField);
        m_document.UpdateAll();
    }

    template<typename T>
    T* part(const char* name)
    {
        T* found = m_panel.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    TSpinEdit* spin(const char* name) { return part<TSpinEdit>(name); }
    QCheckBox* box(const char* name) { return part<QCheckBox>(name); }
    QString title(const char* name) { return part<QGroupBox>(name)->title(); }
    QString label(const char* name) { return part<QLabel>(name)->text(); }
    QRadioButton* item(const char* group, int index)
    {
        return part<QGroupBox>(group)->findChildren<QRadioButton*>().at(index);
    }
    QToolButton* arrow(const char* pair, const char* which)
    {
        return part<QWidget>(pair)->findChild<QToolButton*>(QLatin1String(which));
    }
    TFensterlement& field(int row, int f) { return FieldAt(m_document.model(), row, f); }
    TFenster& window() { return m_document.model(); }
    std::pair<int, int> selection() const { return { m_document.SelectedRow(), m_document.SelectedField() }; }

    EditorDocument m_document;
    PropertyPanel m_panel { m_document };
};

TEST_F(PropertyPanelTest, ShowsEveryControlWithItsExactText)
{
    struct Case {
        const char* label;
        const char* text;
    };
    const Case labels[] = {
        { "Label1", "Anzahl Höhen " }, { "Label4", "Anzahl Breiten" }, { "Label9", "Extrahöhe (e)" },
        { "Label11", "Höhe 1 (r) " }, { "Label10", "Höhe 2 (b)" }, { "Label7", "horizontal" },
        { "Label8", "vertikal" }, { "Label2", "Höhe" }, { "Label3", "Breite" },
    };
    for (const Case& c : labels)
        EXPECT_EQ(label(c.label), QString::fromUtf8(c.text)) << c.label;

    const Case boxes[] = {
        { "Griffcheck", "&Griff" }, { "Linkscheck", "&Linksanschlagend" }, { "Rechtscheck", "&Rechtsanschlagend" },
        { "Spiegelcheck", "gespiegelter Fenstergrundtyp" }, { "Kippcheck", "&Kippbar" },
        { "SchwenkCheck", "&Schwenkbar" }, { "Schiebcheck", "Schiebbar" }, { "Rolladenkasten", "Rolladenkasten" },
        { "Fensterbankanschlag", "Fensterbankanschlag" }, { "CBNachAussenOeffnend", "Nach aussen öffnend" },
        { "CheckBoxFliegengitter", "Fliegengitter" }, { "CheckBoxSchiebePlissees", "Schiebe Plissees" },
    };
    // Top to bottom in this order.
    const QList<QCheckBox*> inOrder = part<QWidget>("PanelProperties")->findChildren<QCheckBox*>();
    ASSERT_EQ(inOrder.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(inOrder[i]->objectName(), QLatin1String(boxes[i].label));
        EXPECT_EQ(inOrder[i]->text(), QString::fromUtf8(boxes[i].text));
        if (i > 0) {
            EXPECT_GT(inOrder[i]->y(), inOrder[i - 1]->y());
        }
    }

    const char* const types[] = { "Rechteck", "Ecke", "Stichbogen", "Rundbogen", "Kreisförmig", "Trapez", "Tür",
        "Dreieck", "Leerfeld", "Segmentbogen" };
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(item("FenstertypRadio", i)->text(), QString::fromUtf8(types[i]));
    EXPECT_EQ(item("GlasRadio", 0)->text(), QStringLiteral("fest &Verglast"));
    EXPECT_EQ(item("GlasRadio", 1)->text(), QString::fromUtf8("&Flügel"));
    EXPECT_EQ(title("GlasRadio"), QStringLiteral("Verglasungsart"));
    EXPECT_EQ(title("FenstertypRadio"), QStringLiteral("Fenstergrundtyp"));
    EXPECT_EQ(title("GB_Sprossen"), QStringLiteral("Anzahl Sprossen"));
    EXPECT_EQ(m_panel.width(), 337);
}

TEST_F(PropertyPanelTest, SpinEditsHaveTheirRangesAndTyping)
{
    struct Case {
        const char* name;
        int min;
        int max;
        bool typing;
    };
    const Case cases[] = {
        { "HoehenEdit", 1, 10, false }, { "BreitenEdit", 1, 10, false }, { "hSprossenEdit", 0, 100, false },
        { "vSprossenEdit", 0, 100, false }, { "Teilhoeheedit", INT_MIN, INT_MAX, true },
        { "TeilbreiteEdit", INT_MIN, INT_MAX, true }, { "eHoeheEdit", INT_MIN, INT_MAX, true },
        { "rHoeheEdit", INT_MIN, INT_MAX, true }, { "bHoeheEdit", INT_MIN, INT_MAX, true },
    };
    for (const Case& c : cases) {
        TSpinEdit* edit = spin(c.name);
        EXPECT_EQ(edit->minimum(), c.min) << c.name;
        EXPECT_EQ(edit->maximum(), c.max) << c.name;
        EXPECT_EQ(!edit->findChild<QLineEdit*>()->isReadOnly(), c.typing) << c.name;
    }
    for (const char* hidden : { "Hoeheedit", "BreiteEdit" }) {
        EXPECT_TRUE(spin(hidden)->isHidden()) << hidden;
        EXPECT_FALSE(spin(hidden)->isEnabled()) << hidden;
    }
}

TEST_F(PropertyPanelTest, RefreshShowsTheModelAtTheSelection)
{
    shape({ { 800, 1 }, { 600, 3 } }, 2, 3);
    TFensterlement& f = field(2, 3);
    f.setWidth(420);
    f.SetBaseType(BaseTrapez);
    f.setHeight1(111);
    f.setHeight2(222);
    f.setExtraHeight(333);
    f.setVerticalMuntins(2);
    f.setHorizontalMuntins(4);
    f.setTiltable(true);
    f.setFixedGlazing(true);
    m_document.UpdateAll();

    EXPECT_EQ(title("GB_TotalSize"), QString::fromUtf8("Fenstergröße: 1400 x 1420 mm"));
    EXPECT_EQ(title("HoeheBox"), QString::fromUtf8("Höhe 2 von 2"));
    EXPECT_EQ(label("TeilhoeheLabel"), QString::fromUtf8("2. Teilhöhe"));
    EXPECT_EQ(title("BreiteBox"), QStringLiteral("Breite 3 von 3"));
    EXPECT_EQ(label("TeilBreiteLabel"), QStringLiteral("3. Teilbreite"));
    struct Case {
        const char* edit;
        int value;
    };
    const Case values[] = {
        { "HoehenEdit", 2 }, { "Teilhoeheedit", 600 }, { "BreitenEdit", 3 }, { "TeilbreiteEdit", 420 },
        { "rHoeheEdit", 111 }, { "bHoeheEdit", 222 }, { "eHoeheEdit", 333 }, { "vSprossenEdit", 2 },
        { "hSprossenEdit", 4 }, { "Hoeheedit", 1400 }, { "BreiteEdit", 1420 },
    };
    for (const Case& c : values)
        EXPECT_EQ(spin(c.edit)->value(), c.value) << c.edit;
    EXPECT_TRUE(item("GlasRadio", 0)->isChecked());
    EXPECT_TRUE(item("FenstertypRadio", 5)->isChecked());
    // The stored tilt shows, disabled, while the field is fixed.
    EXPECT_TRUE(box("Kippcheck")->isChecked());
    EXPECT_FALSE(box("Kippcheck")->isEnabled());
    EXPECT_FALSE(m_panel.isUpdating());
}

TEST_F(PropertyPanelTest, SelectionZeroShowsZeroAndEditsTheBottomLeftField)
{
    shape({ { 1000, 2 }, { 1000, 1 } }, 0, 0);
    EXPECT_EQ(title("HoeheBox"), QString::fromUtf8("Höhe 0 von 2"));
    EXPECT_EQ(label("TeilhoeheLabel"), QString::fromUtf8("0. Teilhöhe"));
    EXPECT_EQ(title("BreiteBox"), QStringLiteral("Breite 0 von 2"));
    spin("TeilbreiteEdit")->setValue(300);
    EXPECT_EQ(field(1, 1).width(), 300);
    EXPECT_EQ(field(1, 2).width(), 500);
    EXPECT_EQ(selection(), std::make_pair(0, 0));
}

// Each change handler, from a starting shape and selection, to the model and
// selection it must leave.
struct HandlerCase {
    const char* name;
    std::vector<std::pair<int, int>> rows;
    std::pair<int, int> start;
    std::function<void(PropertyPanelTest&)> act;
    std::pair<int, int> selection;
    std::function<void(PropertyPanelTest&)> expect;
};

TEST_F(PropertyPanelTest, HandlersChangeTheModelAndTheSelection)
{
    using P = PropertyPanelTest;
    const HandlerCase cases[] = {
        { "RaisingRowsAddsDefaultRowsOnTop", { { 1000, 1 } }, { 1, 1 },
            [](P& t) { t.spin("HoehenEdit")->setValue(3); }, { 1, 1 },
            [](P& t) {
                ASSERT_EQ(t.window().RowCount(), 3);
                for (int row = 2; row <= 3; ++row) {
                    EXPECT_EQ(RowAt(t.window(), row).height(), 1000);
                    EXPECT_EQ(RowAt(t.window(), row).FieldCount(), 1);
                    EXPECT_EQ(t.field(row, 1).width(), 500);
                }
                EXPECT_EQ(t.title("GB_TotalSize"), QString::fromUtf8("Fenstergröße: 3000 x 500 mm"));
            } },
        { "LoweringRowsBelowTheSelectionSelectsTheNewTopRow", { { 700, 1 }, { 800, 1 }, { 900, 1 } }, { 3, 1 },
            [](P& t) { t.spin("HoehenEdit")->setValue(2); }, { 2, 1 },
            [](P& t) {
                EXPECT_EQ(t.window().RowCount(), 2);
                EXPECT_EQ(RowAt(t.window(), 1).height(), 700);
                EXPECT_EQ(RowAt(t.window(), 2).height(), 800);
            } },
        { "LoweringRowsResetsAFieldTheNewRowLacks", { { 1000, 1 }, { 1000, 1 }, { 1000, 2 } }, { 3, 2 },
            [](P& t) { t.spin("HoehenEdit")->setValue(2); }, { 2, 1 }, nullptr },
        { "LoweringRowsKeepsAFieldTheNewRowHas", { { 1000, 1 }, { 1000, 3 }, { 1000, 2 } }, { 3, 2 },
            [](P& t) { t.spin("HoehenEdit")->setValue(2); }, { 2, 2 }, nullptr },
        { "LoweringFieldsBelowTheSelectionSelectsTheNewRightmost", { { 1000, 4 } }, { 1, 4 },
            [](P& t) { t.spin("BreitenEdit")->setValue(2); }, { 1, 2 },
            [](P& t) { EXPECT_EQ(RowAt(t.window(), 1).FieldCount(), 2); } },
        { "RaisingFieldsKeepsTheSelection", { { 1000, 1 }, { 1000, 1 } }, { 2, 1 },
            [](P& t) { t.spin("BreitenEdit")->setValue(3); }, { 2, 1 },
            [](P& t) {
                EXPECT_EQ(RowAt(t.window(), 2).FieldCount(), 3);
                EXPECT_EQ(RowAt(t.window(), 1).FieldCount(), 1);
            } },
        { "RowDownOnTheBottomRowResetsTheField", { { 1000, 3 }, { 1000, 1 } }, { 1, 3 },
            [](P& t) { t.arrow("HoeheSpin", "down")->click(); }, { 1, 1 }, nullptr },
        { "RowUpOnTheTopRowResetsTheField", { { 1000, 1 }, { 1000, 3 } }, { 2, 3 },
            [](P& t) { t.arrow("HoeheSpin", "up")->click(); }, { 2, 1 }, nullptr },
        { "RowUpMovesUpAndResetsTheField", { { 1000, 3 }, { 1000, 3 } }, { 1, 2 },
            [](P& t) { t.arrow("HoeheSpin", "up")->click(); }, { 2, 1 }, nullptr },
        { "RowDownMovesDown", { { 1000, 1 }, { 1000, 1 } }, { 2, 1 },
            [](P& t) { t.arrow("HoeheSpin", "down")->click(); }, { 1, 1 }, nullptr },
        { "FieldDownStopsAtTheFirst", { { 1000, 2 } }, { 1, 1 },
            [](P& t) { t.arrow("BreiteSpin", "down")->click(); }, { 1, 1 }, nullptr },
        { "FieldUpStopsAtTheLast", { { 1000, 2 } }, { 1, 2 },
            [](P& t) { t.arrow("BreiteSpin", "up")->click(); }, { 1, 2 }, nullptr },
        { "FieldUpMovesRight", { { 1000, 3 } }, { 1, 2 },
            [](P& t) { t.arrow("BreiteSpin", "up")->click(); }, { 1, 3 }, nullptr },
        { "RowHeightGoesToTheSelectedRow", { { 1000, 1 }, { 1000, 2 } }, { 2, 2 },
            [](P& t) { t.spin("Teilhoeheedit")->setValue(1234); }, { 2, 2 },
            [](P& t) {
                EXPECT_EQ(RowAt(t.window(), 2).height(), 1234);
                EXPECT_EQ(RowAt(t.window(), 1).height(), 1000);
                EXPECT_EQ(t.title("GB_TotalSize"), QString::fromUtf8("Fenstergröße: 2234 x 1000 mm"));
            } },
        { "FieldWidthGoesToTheSelectedField", { { 1000, 2 } }, { 1, 2 },
            [](P& t) { t.spin("TeilbreiteEdit")->setValue(750); }, { 1, 2 },
            [](P& t) {
                EXPECT_EQ(t.field(1, 2).width(), 750);
                EXPECT_EQ(t.field(1, 1).width(), 500);
            } },
        { "TickingTiltCopiesAllEightBoxes", { { 1000, 1 } }, { 1, 1 },
            [](P& t) { t.box("Kippcheck")->click(); }, { 1, 1 },
            [](P& t) {
                const TFensterlement& f = t.field(1, 1);
                EXPECT_TRUE(f.tiltable());
                EXPECT_FALSE(f.leftHinged() || f.rightHinged() || f.handle() || f.sliding() || f.swinging());
                EXPECT_FALSE(f.rollerShutterBox() || f.sillConnection());
            } },
        { "RollerShutterBoxOnARectangle", { { 1000, 1 } }, { 1, 1 },
            [](P& t) { t.box("Rolladenkasten")->click(); }, { 1, 1 },
            [](P& t) { EXPECT_TRUE(t.field(1, 1).rollerShutterBox()); } },
        { "OutwardBoxesGoTogether", { { 1000, 1 } }, { 1, 1 },
            [](P& t) { t.box("CheckBoxFliegengitter")->click(); }, { 1, 1 },
            [](P& t) {
                EXPECT_TRUE(t.field(1, 1).insectScreen());
                EXPECT_FALSE(t.field(1, 1).opensOutward() || t.field(1, 1).pleatedBlind());
            } },
        { "MirroredOnACorner", { { 1000, 1 } }, { 1, 1 },
            [](P& t) {
                t.item("FenstertypRadio", 1)->click();
                t.box("Spiegelcheck")->click();
            },
            { 1, 1 }, [](P& t) { EXPECT_TRUE(t.field(1, 1).mirrored()); } },
        { "FixedGlazing", { { 1000, 1 } }, { 1, 1 }, [](P& t) { t.item("GlasRadio", 0)->click(); }, { 1, 1 },
            [](P& t) {
                EXPECT_TRUE(t.field(1, 1).fixedGlazing());
                for (const char* name : { "Linkscheck", "Rechtscheck", "Kippcheck", "SchwenkCheck", "Schiebcheck",
                         "Griffcheck" })
                    EXPECT_FALSE(t.box(name)->isEnabled()) << name;
            } },
        { "LeerfeldIsStoredAsTenAndShownAsEight", { { 1000, 1 } }, { 1, 1 },
            [](P& t) { t.item("FenstertypRadio", 8)->click(); }, { 1, 1 },
            [](P& t) {
                EXPECT_EQ(t.field(1, 1).baseType(), 10);
                EXPECT_TRUE(t.item("FenstertypRadio", 8)->isChecked());
                EXPECT_TRUE(t.part<QWidget>("PanelProperties")->isHidden());
            } },
        { "Muntins", { { 1000, 1 } }, { 1, 1 },
            [](P& t) {
                t.spin("vSprossenEdit")->setValue(3);
                t.spin("hSprossenEdit")->setValue(2);
            },
            { 1, 1 },
            [](P& t) {
                EXPECT_EQ(t.field(1, 1).verticalMuntins(), 3);
                EXPECT_EQ(t.field(1, 1).horizontalMuntins(), 2);
            } },
        { "ShapeMeasures", { { 1000, 1 } }, { 1, 1 },
            [](P& t) {
                t.spin("rHoeheEdit")->setValue(10);
                t.spin("bHoeheEdit")->setValue(20);
                t.spin("eHoeheEdit")->setValue(1300);
            },
            { 1, 1 },
            [](P& t) {
                EXPECT_EQ(t.field(1, 1).height1(), 10);
                EXPECT_EQ(t.field(1, 1).height2(), 20);
                EXPECT_EQ(t.field(1, 1).extraHeight(), 1300);
                // An extra height above the row counts in the overall height.
                EXPECT_EQ(t.title("GB_TotalSize"), QString::fromUtf8("Fenstergröße: 1300 x 500 mm"));
            } },
    };
    for (const HandlerCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_document.setMemo1(QString());
        shape(c.rows, c.start.first, c.start.second);
        c.act(*this);
        EXPECT_EQ(selection(), c.selection);
        if (c.expect)
            c.expect(*this);
        // The description is always the model's.
        EXPECT_EQ(m_document.Memo1().toStdString(),
            WriteDescription(window(), m_document.SelectedRow(), m_document.SelectedField()));
        EXPECT_FALSE(m_panel.isUpdating());
    }
}

TEST_F(PropertyPanelTest, ToggledWithoutAClickStillApplies)
{
    // Assistive technology toggles boxes and items without clicking them.
    shape({ { 1000, 1 } });
    box("Kippcheck")->toggle();
    EXPECT_TRUE(field(1, 1).tiltable());
    box("CBNachAussenOeffnend")->toggle();
    EXPECT_TRUE(field(1, 1).opensOutward());
    item("FenstertypRadio", 9)->toggle();
    EXPECT_EQ(field(1, 1).baseType(), BaseSegmentbogen);
    EXPECT_EQ(field(1, 1).extraHeight(), 900);
    item("GlasRadio", 0)->toggle();
    EXPECT_TRUE(field(1, 1).fixedGlazing());
    EXPECT_EQ(m_document.Memo1().toStdString(), WriteDescription(window(), 1, 1));
}

TEST_F(PropertyPanelTest, FixedGlazingKeepsTheOpeningFlagsForTheSash)
{
    shape({ { 1000, 1 } });
    box("Linkscheck")->click();
    box("Kippcheck")->click();
    item("GlasRadio", 0)->click();
    // Disabled boxes cannot be ticked, and the other boxes' copies leave the
    // frozen flags alone.
    box("Griffcheck")->click();
    box("Rolladenkasten")->click();
    EXPECT_FALSE(field(1, 1).handle());
    EXPECT_TRUE(field(1, 1).rollerShutterBox());
    item("GlasRadio", 1)->click();
    EXPECT_FALSE(field(1, 1).fixedGlazing());
    for (auto [name, on] : { std::pair { "Linkscheck", true }, std::pair { "Kippcheck", true },
             std::pair { "Griffcheck", false }, std::pair { "Rechtscheck", false } }) {
        EXPECT_TRUE(box(name)->isEnabled()) << name;
        EXPECT_EQ(box(name)->isChecked(), on) << name;
    }
    EXPECT_TRUE(field(1, 1).leftHinged());
    EXPECT_TRUE(field(1, 1).tiltable());
}

TEST_F(PropertyPanelTest, SegmentArchStartsFromTheRowHeightWithHalvesToEven)
{
    struct Case {
        int rowHeight;
        int extraAndHeight2;
    };
    // 0.9 x 1005 = 904.5 and 0.9 x 1015 = 913.5: the even neighbour wins.
    const Case cases[] = { { 1000, 900 }, { 1005, 904 }, { 1015, 914 }, { 7, 6 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rowHeight);
        m_document.setMemo1(QString());
        shape({ { c.rowHeight, 1 } });
        item("FenstertypRadio", 9)->click();
        const TFensterlement& f = field(1, 1);
        EXPECT_EQ(f.baseType(), BaseSegmentbogen);
        EXPECT_EQ(f.extraHeight(), c.extraAndHeight2);
        EXPECT_EQ(f.height2(), c.extraAndHeight2);
        EXPECT_EQ(f.height1(), c.rowHeight);
    }

    // Measures of its own are kept when the type is chosen again.
    spin("rHoeheEdit")->setValue(500);
    item("FenstertypRadio", 0)->click();
    item("FenstertypRadio", 9)->click();
    EXPECT_EQ(field(1, 1).height1(), 500);
    EXPECT_EQ(field(1, 1).extraHeight(), 6);
}

TEST_F(PropertyPanelTest, BaseTypeEnablesAndShowsItsControls)
{
    struct Case {
        int item;
        bool mirror;
        bool rectangleOnly;
        bool properties;
        bool measures;
        bool height2;
    };
    const Case cases[] = {
        { 0, false, true, true, true, false }, { 1, true, false, true, true, true },
        { 2, false, false, true, true, false }, { 3, false, false, true, false, false },
        { 4, false, false, true, false, false }, { 5, false, false, true, true, true },
        { 6, false, false, true, true, false }, { 7, true, false, true, false, false },
        { 8, false, false, false, false, false }, { 9, true, false, true, true, true },
    };
    shape({ { 1000, 1 } });
    // Stored flags show while their boxes are disabled.
    box("Fensterbankanschlag")->click();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        item("FenstertypRadio", c.item)->click();
        EXPECT_TRUE(item("FenstertypRadio", c.item)->isChecked());
        EXPECT_EQ(box("Spiegelcheck")->isEnabled(), c.mirror);
        EXPECT_EQ(box("Rolladenkasten")->isEnabled(), c.rectangleOnly);
        EXPECT_EQ(box("Fensterbankanschlag")->isEnabled(), c.rectangleOnly);
        EXPECT_TRUE(box("Fensterbankanschlag")->isChecked());
        EXPECT_EQ(part<QWidget>("PanelProperties")->isVisible(), c.properties);
        EXPECT_EQ(part<QWidget>("PanelSonderwerte")->isVisible(), c.measures);
        EXPECT_EQ(spin("bHoeheEdit")->isVisible(), c.height2);
        EXPECT_EQ(part<QLabel>("Label10")->isVisible(), c.height2);
        EXPECT_TRUE(spin("eHoeheEdit")->isVisible());
    }
}

TEST_F(PropertyPanelTest, TypedTextShowsWhatTheModelAccepted)
{
    shape({ { 1000, 1 }, { 1000, 1 }, { 1000, 1 } });
    TSpinEdit* edit = spin("Teilhoeheedit");
    QLineEdit* line = edit->findChild<QLineEdit*>();
    edit->setFocus();

    struct Case {
        const char* typed;
        int rowHeight;
    };
    const Case cases[] = {
        { "1200", 1200 }, // through 1, 12 and 120
        { "abc", 1000 }, // letters are never taken: the old value stays
        { "-250", -250 },
        { "99999999999", 999999999 }, // beyond the 32-bit range the last digits are refused
        { "2147483647", 2147483647 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        RowAt(window(), 1).setHeight(1000);
        m_document.UpdateAll();
        line->selectAll();
        QTest::keyClicks(line, QLatin1String(c.typed));
        EXPECT_EQ(RowAt(window(), 1).height(), c.rowHeight);
        EXPECT_EQ(edit->value(), c.rowHeight);
        // Sums stay within bounds and never below zero.
        EXPECT_GE(window().height(), 0);
        EXPECT_EQ(title("GB_TotalSize").isEmpty(), false);
    }
    EXPECT_EQ(window().height(), INT_MAX);

    // A cleared edit reads as 0 once the user leaves it.
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(RowAt(window(), 1).height(), 0);
    EXPECT_EQ(edit->value(), 0);
}

TEST_F(PropertyPanelTest, MoreThanTenRowsOrFieldsStayUntilTheUserLowersACount)
{
    shape({ { 100, 12 }, { 100, 1 }, { 100, 1 }, { 100, 1 }, { 100, 1 }, { 100, 1 }, { 100, 1 }, { 100, 1 },
              { 100, 1 }, { 100, 1 }, { 100, 1 }, { 100, 1 } },
        1, 12);
    ASSERT_EQ(window().RowCount(), 12);
    EXPECT_EQ(spin("HoehenEdit")->value(), 10);
    EXPECT_EQ(spin("BreitenEdit")->value(), 10);
    EXPECT_EQ(title("HoeheBox"), QString::fromUtf8("Höhe 1 von 12"));
    EXPECT_EQ(title("BreiteBox"), QStringLiteral("Breite 12 von 12"));

    // Other edits leave the counts alone.
    spin("TeilbreiteEdit")->setValue(90);
    item("FenstertypRadio", 2)->click();
    EXPECT_EQ(window().RowCount(), 12);
    EXPECT_EQ(RowAt(window(), 1).FieldCount(), 12);
    EXPECT_EQ(field(1, 12).width(), 90);

    spin("HoehenEdit")->stepDown();
    EXPECT_EQ(window().RowCount(), 9);
    spin("BreitenEdit")->stepDown();
    EXPECT_EQ(RowAt(window(), 1).FieldCount(), 9);
    EXPECT_EQ(selection(), std::make_pair(1, 9));
}

TEST_F(PropertyPanelTest, LockedRowControlsLeaveTheOverallSize)
{
    QWidget* rowGroup = part<QWidget>("HoeheBox");
    QWidget* rowArrows = part<QWidget>("HoeheSpin");
    for (bool locked : { true, false, true, false }) {
        m_panel.LockRowControls(locked);
        EXPECT_EQ(rowGroup->isEnabled(), !locked);
        EXPECT_EQ(rowArrows->isEnabled(), !locked);
        EXPECT_EQ(spin("TeilbreiteEdit")->isEnabled(), !locked);
        EXPECT_TRUE(part<QWidget>("GB_TotalSize")->isEnabled());
        EXPECT_TRUE(spin("HoehenEdit")->isEnabled());
    }
}

TEST_F(PropertyPanelTest, DoubleClickOnTheOverallSizeAsksForNewMeasures)
{
    QSignalSpy asked(&m_panel, &PropertyPanel::totalSizeDoubleClicked);
    QWidget* size = part<QWidget>("GB_TotalSize");
    QTest::mouseClick(size, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(asked.count(), 0);
    QTest::mouseDClick(size, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(asked.count(), 1);
}

TEST_F(PropertyPanelTest, EveryControlHasAnAccessibleName)
{
    shape({ { 1000, 2 } });
    int controls = 0;
    for (QWidget* w : m_panel.findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractSpinBox*>(w) && !qobject_cast<QAbstractButton*>(w))
            continue;
        ++controls;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty()) << w->objectName().toStdString();
    }
    // 9 spin edits shown, 2 hidden, 12 boxes, 12 radio items, 2 x 2 arrows.
    EXPECT_EQ(controls, 9 + 2 + 12 + 12 + 4);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(spin("Teilhoeheedit"))->text(QAccessible::Name),
        QString::fromUtf8("1. Teilhöhe"));
}

TEST_F(PropertyPanelTest, TabOrderFollowsThePanel)
{
    const char* const order[] = { "HoehenEdit", "Teilhoeheedit", "BreitenEdit", "TeilbreiteEdit", "eHoeheEdit",
        "rHoeheEdit", "bHoeheEdit", "hSprossenEdit", "vSprossenEdit" };
    // Walking the chain from the row count meets the edits in panel order.
    QWidget* w = spin("HoehenEdit");
    int found = 1;
    for (int step = 0; step < 200 && found < int(std::size(order)); ++step) {
        w = w->nextInFocusChain();
        if (w->objectName() == QLatin1String(order[found]))
            ++found;
        else
            for (std::size_t later = found + 1; later < std::size(order); ++later)
                EXPECT_NE(w->objectName(), QLatin1String(order[later]));
    }
    EXPECT_EQ(found, int(std::size(order)));
}

} // namespace
