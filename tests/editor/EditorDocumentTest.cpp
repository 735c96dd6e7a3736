#include "EditorDocument.h"

#include "Description.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

TEST(EditorDocument, StartsAsTheDefaultWindow)
{
    EditorDocument document;
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
    EXPECT_TRUE(document.Memo2().isEmpty());
    EXPECT_TRUE(document.Memo3().isEmpty());
    EXPECT_EQ(document.SelectedRow(), 1);
    EXPECT_EQ(document.SelectedField(), 1);
    EXPECT_EQ(document.SelectedSymbol(), -1);
    EXPECT_EQ(document.SelectedDimLine(), 0);
    EXPECT_EQ(document.constantScale(), 5.0);
    EXPECT_EQ(document.leftMargin(), 20);
    EXPECT_EQ(document.bottomMargin(), 0);
}

TEST(EditorDocument, UpdateAllWritesTheModelAndAnnouncesItOnce)
{
    EditorDocument document;
    QSignalSpy changed(&document, &EditorDocument::changed);
    document.SelectField();
    document.model().CurrentRow()->CurrentField()->setWidth(750);
    EXPECT_EQ(changed.count(), 0) << "changing the model alone announces nothing";
    document.UpdateAll();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,750,1,1000,1,750,F;"));
}

TEST(EditorDocument, SettersAnnounceEachChange)
{
    struct Case {
        const char* name;
        void (*change)(EditorDocument&);
    };
    const Case cases[] = {
        { "description", [](EditorDocument& d) { d.setMemo1(QStringLiteral("1000,1000,1,1000,1,1000,V;")); } },
        { "symbol list", [](EditorDocument& d) { d.setMemo2(QStringLiteral("B:a.bmp,1,2,10,1;")); } },
        { "dimension line list", [](EditorDocument& d) { d.setMemo3(QStringLiteral("M:0,0,1,1,2,3;")); } },
        { "selected symbol", [](EditorDocument& d) { d.setSelectedSymbol(0); } },
        { "selected dimension line", [](EditorDocument& d) { d.setSelectedDimLine(1); } },
    };
    for (const Case& c : cases) {
        EditorDocument document;
        QSignalSpy changed(&document, &EditorDocument::changed);
        c.change(document);
        EXPECT_EQ(changed.count(), 1) << c.name;
    }
}

TEST(EditorDocument, EmptyDescriptionBecomesTheDefaultWindow)
{
    EditorDocument document;
    document.setMemo1(QStringLiteral("2000,1000,1,2000,1,1000,V;"));
    ASSERT_FALSE(document.readModelFromText());
    document.setSelection(1, 0);
    document.setMemo1(QString());
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
    EXPECT_EQ(document.model().height(), 1000);
    EXPECT_EQ(document.SelectedField(), 1);
}

TEST(EditorDocument, Auswerten1ClickRebuildsTheModelFromTheText)
{
    EditorDocument document;
    // A header that disagrees with the rows: the evaluation writes it anew.
    document.setMemo1(QStringLiteral("9,9,2,1000,2,400,V;600,L,F;500,1,1000,F;"));
    document.setSelection(2, 1);
    QSignalSpy changed(&document, &EditorDocument::changed);
    EXPECT_EQ(document.Auswerten1Click(), std::nullopt);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(document.model().height(), 1500);
    EXPECT_EQ(document.model().width(), 1000);
    EXPECT_EQ(document.Memo1(), QStringLiteral("1500,1000,2,1000,2,400,V;600,L,F;500,1,1000,F;"));
    EXPECT_EQ(document.model().CurrentRow()->height(), 500) << "the model stands on the selected row";
}

TEST(EditorDocument, RefusedTextKeepsItsWording)
{
    EditorDocument document;
    const QString bad = QStringLiteral("1000,abc,1,1000,1,1000,V;");
    document.setMemo1(bad);
    QSignalSpy changed(&document, &EditorDocument::changed);
    const auto error = document.Auswerten1Click();
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("abc"))) << error->toStdString();
    EXPECT_EQ(document.Memo1(), bad);
    EXPECT_EQ(changed.count(), 0);
}

TEST(EditorDocument, ReadingTheModelLeavesTheTextAsHandedOver)
{
    EditorDocument document;
    document.setMemo1(QStringLiteral("2000,1000,1,1000,1,1000,L,F;"));
    EXPECT_EQ(document.readModelFromText(), std::nullopt);
    EXPECT_EQ(document.model().height(), 2000);
    EXPECT_EQ(document.Memo1(), QStringLiteral("2000,1000,1,1000,1,1000,L,F;"));
}

TEST(EditorDocument, ReplacingTheDocumentResetsTheAnnotationSelection)
{
    struct Case {
        const char* name;
        const char* description;
        const char* expectedDescription;
    };
    const Case cases[] = {
        { "another window", "1500,1000,1,1000,1,1500,F;", "1500,1000,1,1000,1,1500,F;" },
        { "a new window", "", "1000,500,1,1000,1,500,F;" },
    };
    for (const Case& c : cases) {
        EditorDocument document;
        document.setMemo2(QStringLiteral("B:a.bmp,0,0,10,1;\nB:b.bmp,0,0,10,1;"));
        document.setMemo3(QStringLiteral("M:0,0,100,0,50,0;\nM:0,0,0,100,0,50;"));
        document.setSelectedSymbol(1);
        document.setSelectedDimLine(2);
        QSignalSpy changed(&document, &EditorDocument::changed);
        document.loadTexts(QString::fromLatin1(c.description), QStringLiteral("B:c.bmp,0,0,10,1;"), QString(),
            EditorDocument::KeepDescription::Yes);
        EXPECT_EQ(document.SelectedSymbol(), -1) << c.name;
        EXPECT_EQ(document.SelectedDimLine(), 0) << c.name;
        EXPECT_EQ(document.Memo1(), QString::fromLatin1(c.expectedDescription)) << c.name;
        EXPECT_EQ(document.Memo2(), QStringLiteral("B:c.bmp,0,0,10,1;")) << c.name;
        EXPECT_TRUE(document.Memo3().isEmpty()) << c.name;
        EXPECT_EQ(changed.count(), 1) << c.name;
    }
}

} // namespace
