#pragma once

// The 10 x 10 window with muntins and insect screens that the drawing
// benchmarks draw, with 20 free dimension lines and 20 symbols
// ("Pfeil.bmp" and "Griff.png", which each benchmark puts in a folder).

#include <string>

namespace benchwindows {

inline std::string tenByTen()
{
    static const char* const kFields[] = { "L,F,K,G,g,v:2,h:3", "R,F,S,G,g,v:1,h:1", "V,g,v:3,h:2", "L,F,K,G,a,g,v:2" };
    std::string text = "5000,8000,10,";
    int k = 0;
    for (int r = 0; r < 10; ++r) {
        text += "500,10,";
        for (int f = 0; f < 10; ++f)
            text += std::string("800,") + kFields[k++ % 4] + ";";
    }
    return text;
}

inline std::string dimensionLines()
{
    std::string list;
    for (int i = 0; i < 20; ++i)
        list += "M:" + std::to_string(-800 + 400 * i) + ",0," + std::to_string(-400 + 400 * i) + "," + std::to_string(250 * i)
            + "," + std::to_string(i % 2 ? 120 : -150) + "," + std::to_string(i % 3 ? 0 : 200) + ";\r\n";
    return list;
}

inline std::string symbols()
{
    std::string list;
    for (int i = 0; i < 20; ++i)
        list += "B:" + std::string(i % 2 ? "Pfeil.bmp" : "Griff.png") + "," + std::to_string(-600 + 350 * i) + ","
            + std::to_string(200 + 200 * i) + ",10,0,2;\r\n";
    return list;
}

} // namespace benchwindows
