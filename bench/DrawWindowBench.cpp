// DrawWindow on a 1920 x 1080 image: the default window, a typical window of
// four fields and a 20 x 20 window using every base type; and the whole
// `fensterdaten-cli render` process beside a process that only starts a
// QGuiApplication (the floor), measured in the same run.

#include "Engine.h"
#include "QtCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "BenchApplication.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string gridWindow()
{
    // Base types 0..7, 9 and 10 in turn, with the options that draw most.
    static const char* const kFields[] = {
        "F,L,K,G,v:2,h:2", "R,F,T:1,r:70,b:30", "L,F,K,T:2,r:60", "R,F,T:3", "F,Z,T:4", "L,F,S,T:5,r:60,b:20",
        "R,F,K,G,T:6", "L,V,T:7", "R,F,T:9,b:60,r:100", "T:10",
    };
    std::string text = "2000,2000,20,";
    int k = 0;
    for (int r = 0; r < 20; ++r) {
        text += "100,20,";
        for (int f = 0; f < 20; ++f)
            text += std::string("100,") + kFields[k++ % 10] + ";";
    }
    return text;
}

void drawOnImage(benchmark::State& state, const std::string& description)
{
    BenchApplication();
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.setFont(font);
    for (auto _ : state) {
        fenster::QtCanvas canvas(painter);
        canvas.setFont(font);
        fenster::DrawWindow(canvas, 1, 1, 1918, 1078, description, fenster::EdgeDimensions::On, 1, 1, 0.0);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DrawWindowDefault(benchmark::State& state)
{
    drawOnImage(state, "1000,500,1,1000,1,500,F;");
}
BENCHMARK(BM_DrawWindowDefault)->Unit(benchmark::kMicrosecond);

void BM_DrawWindowTypicalFourFields(benchmark::State& state)
{
    drawOnImage(state, "1400,2000,2,1000,3,700,L,F,K,G;600,V;700,R,F,K,G,h:1;400,1,2000,V;");
}
BENCHMARK(BM_DrawWindowTypicalFourFields)->Unit(benchmark::kMicrosecond);

void BM_DrawWindowTwentyByTwenty(benchmark::State& state)
{
    drawOnImage(state, gridWindow());
}
BENCHMARK(BM_DrawWindowTwentyByTwenty)->Unit(benchmark::kMicrosecond);

// A 10 x 10 window of sashes and fixed fields, every one with muntins both
// ways and an insect screen, some with a pleated blind, edge dimensions on.
void BM_DrawWindowTenByTenMuntinsScreens(benchmark::State& state)
{
    static const char* const kFields[] = { "L,F,K,G,g,v:2,h:3", "R,F,S,G,g,v:1,h:1", "V,g,v:3,h:2", "L,F,K,G,a,g,p,v:2,h:2" };
    std::string text = "5000,8000,10,";
    int k = 0;
    for (int r = 0; r < 10; ++r) {
        text += "500,10,";
        for (int f = 0; f < 10; ++f)
            text += std::string("800,") + kFields[k++ % 4] + ";";
    }
    drawOnImage(state, text);
}
BENCHMARK(BM_DrawWindowTenByTenMuntinsScreens)->Unit(benchmark::kMicrosecond);

void runProcess(benchmark::State& state, std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the process");
            return;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the process failed");
            return;
        }
    }
}

void BM_ProcessGuiApplicationFloor(benchmark::State& state)
{
    runProcess(state, { FENSTER_GUI_FLOOR });
}
BENCHMARK(BM_ProcessGuiApplicationFloor)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ProcessCliRender(benchmark::State& state)
{
    runProcess(state,
        { FENSTER_CLI, "render", FENSTER_EXAMPLES "/Dreiteilig-mit-Sprossen.Fnt", "-o", "/tmp/bench_drawwindow_render.png",
            "--scale", "2", "--dimensions" });
}
BENCHMARK(BM_ProcessCliRender)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
