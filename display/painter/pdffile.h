// PDF files of drawings: one page of a given paper size, drawn in millimetres through a painter
// stream. Works without a display: where no Qt application runs, an off-screen one is started.
#pragma once

#include <functional>
#include <string>

class TGStream;

// Writes a one-page PDF of Width x Height millimetres titled Title, on which Draw draws in
// millimetres from the top-left corner (y down). Raises EIOError "Unable to create file " +
// FileName when the file cannot be written.
void SavePdf(const std::string& FileName, double Width, double Height, const std::string& Title,
             const std::function<void(TGStream&)>& Draw);
