// Reading and writing the largest window the drawing engine holds: 20 rows
// of 20 fields, every field carrying every option.

#include "Description.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

std::unique_ptr<fenster::TFenster> largestWindow()
{
    auto window = std::make_unique<fenster::TFenster>();
    window->SetRowCount(20);
    fenster::TZeile* row = window->FirstRow();
    for (int i = 0; i < 20; ++i, row = window->NextRow()) {
        row->setHeight(100 + i);
        row->SetFieldCount(20);
        fenster::TFensterlement* field = row->FirstField();
        for (int j = 0; j < 20; ++j, field = row->NextField()) {
            field->setWidth(50 + j);
            for (auto flag : {fenster::OpeningFlag::LeftHinged, fenster::OpeningFlag::RightHinged,
                     fenster::OpeningFlag::Tiltable, fenster::OpeningFlag::Swinging,
                     fenster::OpeningFlag::Sliding, fenster::OpeningFlag::Handle})
                field->SetOpeningFlag(flag, true);
            field->setMirrored(true);
            field->setRollerShutterBox(true);
            field->setSillConnection(true);
            field->setOpensOutward(true);
            field->setInsectScreen(true);
            field->setPleatedBlind(true);
            field->setVerticalMuntins(12);
            field->setHorizontalMuntins(34);
            field->SetBaseType(fenster::BaseSegmentbogen);
            field->setHeight1(150);
            field->setExtraHeight(2500);
            field->setHeight2(75);
        }
    }
    return window;
}

const std::string& largestText()
{
    static const std::string text = [] {
        auto window = largestWindow();
        return fenster::WriteDescription(*window, 1, 1);
    }();
    return text;
}

void WriteDescription20x20(benchmark::State& state)
{
    auto window = largestWindow();
    for (auto _ : state)
        benchmark::DoNotOptimize(fenster::WriteDescription(*window, 1, 1));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(largestText().size()));
}
BENCHMARK(WriteDescription20x20);

void ReadDescription20x20(benchmark::State& state)
{
    const std::string& text = largestText();
    for (auto _ : state) {
        fenster::ReadResult result = fenster::ReadDescription(text);
        if (!result.ok())
            std::abort();
        benchmark::DoNotOptimize(result.model.get());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(ReadDescription20x20);

// What the editor does after each preset: read the text, write it again.
void ReadAndWriteDescription20x20(benchmark::State& state)
{
    const std::string& text = largestText();
    for (auto _ : state) {
        fenster::ReadResult result = fenster::ReadDescription(text);
        benchmark::DoNotOptimize(fenster::WriteDescription(*result.model, 1, 1));
    }
}
BENCHMARK(ReadAndWriteDescription20x20);

} // namespace
