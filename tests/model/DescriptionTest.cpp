#include "Description.h"
#include "DescriptionTokens.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace fenster {
namespace {

// The description of the window as the writer makes it, selection on 1/1.
std::string written(TFenster& window)
{
    return WriteDescription(window, 1, 1);
}

ReadResult readOk(std::string_view text)
{
    ReadResult result = ReadDescription(text);
    EXPECT_TRUE(result.ok()) << text << ": " << result.error.value_or("");
    EXPECT_NE(result.model, nullptr);
    return result;
}

const TFensterlement& onlyField(const ReadResult& result)
{
    return *result.model->bottomRow()->leftmostField();
}

TEST(WriteDescription, DefaultWindow)
{
    TFenster window;
    EXPECT_EQ(written(window), "1000,500,1,1000,1,500,F;");
}

TEST(WriteDescription, TwoRowWindowWithRollerShutterBox)
{
    TFenster window;
    window.SetRowCount(2);
    TZeile* bottom = window.FirstRow();
    bottom->SetFieldCount(2);
    TFensterlement* left = bottom->FirstField();
    TFensterlement* right = bottom->NextField();
    for (TFensterlement* field : {left, right}) {
        field->setTiltable(true);
        field->setHandle(true);
    }
    left->setLeftHinged(true);
    right->setRightHinged(true);
    right->setHorizontalMuntins(1);
    TZeile* top = window.NextRow();
    top->setHeight(200);
    top->FirstField()->setWidth(1000);
    top->FirstField()->setRollerShutterBox(true);
    // Stale totals are never used: the writer recomputes them.
    window.setHeight(5);
    window.setWidth(5);

    EXPECT_EQ(written(window), "1200,1000,2,1000,2,500,L,F,K,G;500,R,F,K,G,h:1;200,1,1000,F,J;");
    EXPECT_EQ(window.height(), 1200);
    EXPECT_EQ(window.width(), 1000);
}

// One field, built by setters, and the field part the writer makes of it.
TEST(WriteDescription, OptionsOfOneField)
{
    struct Case {
        const char* name;
        void (*build)(TFensterlement&);
        const char* expected;
    };
    const Case cases[] = {
        {"fixed pane hides a retained hinge",
            [](TFensterlement& f) { f.setLeftHinged(true); f.setFixedGlazing(true); }, "500,V;"},
        {"empty field", [](TFensterlement& f) { f.SetBaseType(BaseLeerfeld); }, "500,T:10;"},
        {"fixed empty field",
            [](TFensterlement& f) { f.SetBaseType(BaseLeerfeld); f.setFixedGlazing(true); }, "500,V,T:10;"},
        {"both hinges", [](TFensterlement& f) { f.setLeftHinged(true); f.setRightHinged(true); }, "500,L,R,F;"},
        {"every option in writer order",
            [](TFensterlement& f) {
                for (OpeningFlag flag : {OpeningFlag::LeftHinged, OpeningFlag::RightHinged, OpeningFlag::Tiltable,
                         OpeningFlag::Swinging, OpeningFlag::Sliding, OpeningFlag::Handle})
                    f.SetOpeningFlag(flag, true);
                f.setMirrored(true);
                f.setRollerShutterBox(true);
                f.setSillConnection(true);
                f.setOpensOutward(true);
                f.setInsectScreen(true);
                f.setPleatedBlind(true);
                f.setVerticalMuntins(2);
                f.setHorizontalMuntins(3);
                f.SetBaseType(BaseTuer);
                f.setHeight1(100);
                f.setExtraHeight(2000);
                f.setHeight2(50);
            },
            "500,L,R,F,K,S,Z,G,A,J,B,a,g,p,v:2,h:3,T:6,r:100,e:2000,b:50;"},
        {"fixed pane keeps the non-opening options",
            [](TFensterlement& f) {
                f.setTiltable(true);
                f.setHandle(true);
                f.setFixedGlazing(true);
                f.setMirrored(true);
                f.setInsectScreen(true);
                f.setVerticalMuntins(1);
                f.SetBaseType(BaseRundbogen);
                f.setHeight1(300);
            },
            "500,V,A,g,v:1,T:3,r:300;"},
        {"non-positive measures are left out",
            [](TFensterlement& f) { f.setHeight1(-1); f.setExtraHeight(0); f.setHeight2(-20); }, "500,F;"},
    };
    for (const Case& c : cases) {
        TFenster window;
        c.build(*window.bottomRow()->leftmostField());
        const std::string text = written(window);
        const std::string fieldPart = text.substr(text.rfind(",1,") + 3);
        EXPECT_EQ(fieldPart, c.expected) << c.name;
    }
}

TEST(WriteDescription, LeavesTheCursorsOnTheSelection)
{
    TFenster window;
    window.SetRowCount(3);
    window.bottomRow()->next()->SetFieldCount(3);
    WriteDescription(window, 2, 3);
    const TZeile* second = window.bottomRow()->next();
    EXPECT_EQ(window.CurrentRow(), second);
    EXPECT_EQ(second->CurrentField(), second->leftmostField()->next()->next());
}

// Texts the reader takes and the writer gives back unchanged.
TEST(ReadDescription, RoundTripsTheWritersOwnTexts)
{
    const char* texts[] = {
        "1000,500,1,1000,1,500,F;",
        "1000,1000,1,1000,1,1000,V;",
        "1000,1000,1,1000,1,1000,F;",
        "1000,1000,1,1000,1,1000,L,F;",
        "1000,1000,1,1000,1,1000,R,F;",
        "1000,1000,1,1000,1,1000,L,F,K;",
        "1000,1000,1,1000,1,1000,R,F,K;",
        "2000,1000,1,1000,1,1000,L,F,T:6,e:2000;",
        "2000,1000,1,1000,1,1000,R,F,T:6,e:2000;",
        "2000,1000,1,1000,1,1000,L,F,K,T:6,e:2000;",
        "2000,1000,1,1000,1,1000,R,F,K,T:6,e:2000;",
        "1200,1000,2,1000,2,500,L,F,K,G;500,R,F,K,G,h:1;200,1,1000,F,J;",
        "1000,1000,1,1000,1,1000,L,R,F;",
        "1000,500,1,1000,1,500,T:10;",
        "1000,500,1,1000,1,500,V,T:10;",
        "2000,500,1,1000,1,500,L,R,F,K,S,Z,G,A,J,B,a,g,p,v:2,h:3,T:6,r:100,e:2000,b:50;",
    };
    for (const char* text : texts) {
        ReadResult result = readOk(text);
        EXPECT_EQ(written(*result.model), text);
    }
}

TEST(ReadDescription, KeepsBothHingeFlags)
{
    const ReadResult result = readOk("1000,1000,1,1000,1,1000,L,R,F;");
    EXPECT_TRUE(onlyField(result).leftHinged());
    EXPECT_TRUE(onlyField(result).rightHinged());
}

TEST(ReadDescription, AppliesOptionsInTextOrder)
{
    {
        const ReadResult result = readOk("1000,500,1,1000,1,500,V,L;");
        EXPECT_TRUE(onlyField(result).fixedGlazing());
        EXPECT_FALSE(onlyField(result).leftHinged()) << "a hinge after V is ignored";
        EXPECT_EQ(written(*result.model), "1000,500,1,1000,1,500,V;");
    }
    {
        const ReadResult result = readOk("1000,500,1,1000,1,500,L,V;");
        EXPECT_TRUE(onlyField(result).leftHinged()) << "a hinge before V stays in the model";
        EXPECT_EQ(written(*result.model), "1000,500,1,1000,1,500,V;");
    }
    {
        const ReadResult result = readOk("1000,500,1,1000,1,500,V,F,K;");
        EXPECT_FALSE(onlyField(result).fixedGlazing()) << "the later choice wins";
        EXPECT_TRUE(onlyField(result).tiltable());
    }
}

// Texts whose fields read differently from how they are written.
TEST(ReadDescription, NormalisesWhatTheWriterWouldNotWrite)
{
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"code 8 is not stored", "1000,500,1,1000,1,500,F,T:8;", "1000,500,1,1000,1,500,F;"},
        {"code 12 is not stored", "1000,500,1,1000,1,500,F,T:12;", "1000,500,1,1000,1,500,F;"},
        {"negative muntins are ignored", "1000,500,1,1000,1,500,F,v:-2;", "1000,500,1,1000,1,500,F;"},
        {"a blank before the letter", "1000,500,1,1000,1,500,F, L;", "1000,500,1,1000,1,500,F;"},
        {"unknown letters", "1000,500,1,1000,1,500,F,X,x:5,?;", "1000,500,1,1000,1,500,F;"},
        {"the second character is not looked at", "1000,500,1,1000,1,500,F,T=6,e=2000,b20;",
            "2000,500,1,1000,1,500,F,T:6,e:2000;"},  // "b20" gives b 0
        {"a line break and more text after the last field",
            "1000,500,1,1000,1,500,F;\r\nanything, even 1,2,3;", "1000,500,1,1000,1,500,F;"},
        {"no final semicolon", "1000,500,1,1000,1,500,L,F", "1000,500,1,1000,1,500,L,F;"},
        {"empty options are skipped", "1000,500,1,1000,1,500,,L,,F,;", "1000,500,1,1000,1,500,L,F;"},
        {"a field with only an empty option is a sash", "1000,500,1,1000,1,500,;", "1000,500,1,1000,1,500,F;"},
        {"header totals are recomputed", "2000,1000,1,1000,1,1000,F;", "1000,1000,1,1000,1,1000,F;"},
        {"leading blanks and signs in numbers", " +1000,  500,1, 1000,+1,500,F,h: 2;",
            "1000,500,1,1000,1,500,F,h:2;"},
        {"option letters are case-sensitive", "1000,500,1,1000,1,500,F,b:10,B;",
            "1000,500,1,1000,1,500,F,B,b:10;"},
    };
    for (const Case& c : cases) {
        ReadResult result = readOk(c.text);
        EXPECT_EQ(written(*result.model), c.expected) << c.name;
    }
}

TEST(ReadDescription, ErrorsNameTheOffendingToken)
{
    struct Case {
        const char* name;
        std::string text;
        std::string error;
    };
    const std::string badInteger = "'' ist kein gültiger Integer-Wert";
    const Case cases[] = {
        {"a field without its width", "1000,1000,1,1000,1,F;", "''F;" + badInteger},
        {"empty text", "", "''" + badInteger},
        {"only blanks", "   ", "''   " + badInteger},
        {"a trailing blank", "1000 ,500,1,1000,1,500,F;", "''1000 " + badInteger},
        {"a line break inside a number", "1000,500,1,1000\n,1,500,F;", "''1000\n" + badInteger},
        {"beyond 32 bits", "2147483648,500,1,1000,1,500,F;", "''2147483648" + badInteger},
        {"a keyed value that is not a number", "1000,500,1,1000,1,500,F,T:x;", "''x" + badInteger},
        {"a keyed option without a value", "1000,500,1,1000,1,500,F,v;", "''" + badInteger},
        {"a text that ends before its counts", "1000,500,2,1000,1,500,F;", "''" + badInteger},
        {"a width run into its semicolon", "1000,500,1,1000,1,500;", "''500;" + badInteger},
        {"a dot in a size", "1000,500,1,1000,1,500.5,F;", "''500.5" + badInteger},
        {"no rows", "1000,500,0,", "''0'' ist keine gültige Anzahl (1 bis 999)"},
        {"negative rows", "1000,500,-3,1000,1,500,F;", "''-3'' ist keine gültige Anzahl (1 bis 999)"},
        {"two thousand million rows", "1000,500,2000000000,1000,1,500,F;",
            "''2000000000'' ist keine gültige Anzahl (1 bis 999)"},
        {"too many fields", "1000,500,1,1000, 1000,500,F;", "'' 1000'' ist keine gültige Anzahl (1 bis 999)"},
        {"no fields", "1000,500,1,1000,0,500,F;", "''0'' ist keine gültige Anzahl (1 bis 999)"},
    };
    for (const Case& c : cases) {
        const ReadResult result = ReadDescription(c.text);
        ASSERT_NE(result.model, nullptr) << c.name;
        EXPECT_EQ(result.error.value_or("(no error)"), c.error) << c.name;
    }
}

TEST(ReadDescription, AFailedReadKeepsWhatWasBuilt)
{
    // The second row's field count is damaged: the first row is complete,
    // the header values are read, the second row is still a default row.
    ReadResult result = ReadDescription("1700,900,3,800,2,400,L,F;500,V;300,x,1,F;");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(*result.error, "''x" "'' ist kein gültiger Integer-Wert");
    TFenster& window = *result.model;
    EXPECT_EQ(window.height(), 1700);
    EXPECT_EQ(window.width(), 900);
    ASSERT_EQ(window.RowCount(), 3);
    const TZeile* first = window.bottomRow();
    EXPECT_EQ(first->height(), 800);
    ASSERT_EQ(first->FieldCount(), 2);
    EXPECT_TRUE(first->leftmostField()->leftHinged());
    EXPECT_TRUE(first->leftmostField()->next()->fixedGlazing());
    const TZeile* second = first->next();
    EXPECT_EQ(second->height(), 300);
    EXPECT_EQ(second->FieldCount(), 1);
    EXPECT_EQ(second->next()->height(), 1000);
    // The partial model is a whole model: it can be written and edited.
    EXPECT_EQ(written(window), "2100,900,3,800,2,400,L,F;500,V;300,1,500,F;1000,1,500,F;");
}

TEST(ReadDescription, AFailedOptionKeepsTheOptionsBeforeIt)
{
    ReadResult result = ReadDescription("1000,500,1,1000,1,600,L,F,K,v:q,G;");
    ASSERT_FALSE(result.ok());
    const TFensterlement& field = onlyField(result);
    EXPECT_EQ(field.width(), 600);
    EXPECT_TRUE(field.leftHinged());
    EXPECT_TRUE(field.tiltable());
    EXPECT_FALSE(field.handle());
}

TEST(ReadDescription, ABadCountLeavesAUsableModel)
{
    for (const char* text : {"1000,500,0,", "1000,500,1,1000,-1,", "1000,500,1000,"}) {
        ReadResult result = ReadDescription(text);
        ASSERT_FALSE(result.ok()) << text;
        EXPECT_EQ(result.model->RowCount(), 1) << text;
        EXPECT_EQ(result.model->bottomRow()->FieldCount(), 1) << text;
        EXPECT_EQ(written(*result.model), "1000,500,1,1000,1,500,F;") << text;
    }
}

TEST(ReadDescription, TheLargestCountsAreAccepted)
{
    std::string text = "1000,500,999,";
    for (int i = 0; i < 999; ++i)
        text += i == 0 ? "10,999," + std::string() : "10,1,5,F;";
    // The first row announces 999 fields.
    std::string first;
    for (int j = 0; j < 999; ++j)
        first += "1,V;";
    text.insert(text.find("10,999,") + 7, first);
    ReadResult result = readOk(text);
    EXPECT_EQ(result.model->RowCount(), 999);
    EXPECT_EQ(result.model->bottomRow()->FieldCount(), 999);
    EXPECT_EQ(OverallHeight(*result.model), 9990);
    EXPECT_EQ(OverallWidth(*result.model), 999);
}

// Garbage of every kind must give a model and either no error or a message,
// never a crash; the loop keeps each text up to 1 MiB.
TEST(ReadDescription, SurvivesGarbage)
{
    std::mt19937 random(20251209);
    const std::string alphabet = "0123456789,;:-+ LRVFKSZGAJBagpvhTreb\r\n\t\x01\xff";
    std::string big(1 << 20, '\0');
    for (char& c : big)
        c = char(random());
    std::string repeated;
    while (repeated.size() < (1u << 20))
        repeated += "1000,1000,999,1000,999,";
    std::vector<std::string> texts = {big, repeated, std::string(1 << 20, ','), std::string(1 << 20, ' '),
        std::string("1000\0,500,1,1000,1,500,F;", 25)};
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        const int length = int(random() % 200);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        ReadResult result = ReadDescription(text);
        ASSERT_NE(result.model, nullptr);
        ASSERT_GE(result.model->RowCount(), 1);
        if (result.ok()) {
            // Whatever was accepted writes out and reads back to the same text.
            const std::string again = written(*result.model);
            ReadResult second = ReadDescription(again);
            ASSERT_TRUE(second.ok()) << again;
            EXPECT_EQ(written(*second.model), again);
        } else {
            EXPECT_NE(result.error->find("''"), std::string::npos);
        }
    }
}

TEST(DescriptionTokens, KeyedValueStartsAtTheThirdCharacter)
{
    EXPECT_EQ(KeyedValue("T:6"), "6");
    EXPECT_EQ(KeyedValue("e=2000"), "2000");
    EXPECT_EQ(KeyedValue("v:"), "");
    EXPECT_EQ(KeyedValue("v"), "");
    EXPECT_EQ(KeyedValue(""), "");
}

} // namespace
} // namespace fenster
