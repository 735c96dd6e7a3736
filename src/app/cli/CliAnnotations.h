#pragma once

#include "CliCommands.h"

#include "Canvas.h"
#include "Engine.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace fenster {

// The annotation options of render and trace: --symbols FILE, --dimlines
// FILE, --symbol-folder DIR. Without them a document X.Fnt brings its
// companions X.fn2 (symbols) and X.fn3 (dimension lines) and the edge
// dimension switch of X.fn4 ("Bemassung" in section "Settings"); a standard
// window X.std brings X.st2, X.st3 and X.st4.
struct AnnotationOptions {
    std::optional<std::string> symbolsFile;
    std::optional<std::string> dimensionLinesFile;
    std::string symbolFolder; // empty: the document's folder (standard input: the working folder)
};

// Consumes arguments[i] (and its value) when it is one of the options;
// false when it is not. bad is set for an option without its value.
bool ParseAnnotationOption(const std::vector<std::string>& arguments, std::size_t& i, AnnotationOptions& options,
    bool& bad, std::ostream& err);

// The lists and settings of one document.
struct DocumentAnnotations {
    std::string symbols;
    std::string dimensionLines;
    std::string symbolFolder;
    std::optional<EdgeDimensions> edgeDimensions; // from the settings file, when there is one
    // Messages of lists that did not draw, filled while drawing.
    std::shared_ptr<std::vector<std::string>> errors = std::make_shared<std::vector<std::string>>();
};

// Reads the lists for the document file; a list file named by an option
// that cannot be read is an error (message on context.err, nullopt).
std::optional<DocumentAnnotations> LoadDocumentAnnotations(
    const std::string& file, const AnnotationOptions& options, CliContext& context);

// Draws the dimension line list, then the symbol list, as the editor does
// after the window; a list that fails leaves its message in errors.
std::function<void(Canvas&)> AnnotationDrawer(const DocumentAnnotations& annotations);

// Prints the messages of lists that failed, naming the file; true when there were any.
bool ReportAnnotationErrors(const std::string& file, const DocumentAnnotations& annotations, std::ostream& err);

} // namespace fenster
