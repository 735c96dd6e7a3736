#include "CliCommands.h"
#include "CliRequest.h"

#include "RecordingCanvas.h"

#include <ostream>

namespace fenster {

int CliTrace(const std::vector<std::string>& arguments, CliContext& context)
{
    CliRequest request;
    if (!ParseCliRequest(arguments, CliRequestKind::Describe, request, context.err))
        return CliExitUsage;
    const std::optional<CliDocument> document = LoadCliDocument(request, request.files.front(), context);
    if (!document)
        return CliExitBadInput;
    RecordingCanvas canvas;
    try {
        if (document->box) {
            DrawWindow(canvas, 1, 1, document->box->width - 2, document->box->height - 2, document->description,
                document->dimensions, -1, -1, 0.0);
            AnnotationDrawer(document->annotations)(canvas);
        } else {
            ConstantScaleJob job = ConstantScaleJobFor(*document);
            ResolveOverallSize(job);
            const CanvasSize size = ConstantScaleCanvasSize(job.overallHeight, job.overallWidth, job.mmPerPixel,
                canvas.textExtent("W").height, job.bottomMargin);
            DrawConstantScale(canvas, job, size);
        }
    } catch (const DataFileError&) {
        context.out << canvas.trace() << kDataFileErrorLine << '\n';
        return kDataFileErrorStatus;
    }
    context.out << canvas.trace();
    return ReportAnnotationErrors(document->file, document->annotations, context.err) ? CliExitBadInput : CliExitOk;
}

} // namespace fenster
