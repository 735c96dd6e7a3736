#pragma once

#include "AnnotationLists.h"

#include <QDateTime>
#include <QString>

#include <map>
#include <string>

namespace fenster {

// Symbol pictures from files (BMP, PNG and whatever else Qt reads). A name
// is looked up in the given symbol folder first, then in the program
// folder; in each, when the exact name is missing, a file whose name
// differs only in letter case is taken. Backslashes in a name are folder
// separators, so lists written on Windows find their pictures. Transparent
// parts of a picture count as white. Loaded pictures are kept while their
// file's size and modification time stay the same.
class PictureFiles : public PictureSource {
public:
    // programFolder empty: the program folder of the run (ProgramFolder).
    explicit PictureFiles(QString programFolder = {});

    bool load(std::string_view folder, std::string_view name, RasterImage& picture, std::string& error) override;

    // The file a name resolves to, empty when there is none.
    QString resolve(std::string_view folder, std::string_view name) const;

private:
    struct Cached {
        qint64 size = 0;
        QDateTime modified;
        RasterImage picture;
    };
    QString m_programFolder;
    std::map<QString, Cached> m_cache;
};

// The file-based source of the program, with its program folder.
PictureFiles& DefaultPictureFiles();

// DrawSymbolList with the pictures of DefaultPictureFiles().
void DrawSymbolList(Canvas& canvas, std::string_view list, std::string_view symbolFolder, int selectedSymbol);

} // namespace fenster
