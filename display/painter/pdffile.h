// PDF files of drawings: one page of a given paper size, drawn in millimetres through a painter
// stream. Works without a display: where no Qt application runs, an off-screen one is started.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

class TGStream;

// Writes to Out a one-page PDF of Width x Height millimetres titled Title, on which Draw draws in
// millimetres from the top-left corner (y down). FileName names the output in messages: raises
// EIOError "Unable to create file " + FileName when the page cannot be made.
void SavePdf(std::ostream& Out, const std::string& FileName, double Width, double Height,
             const std::string& Title, const std::function<void(TGStream&)>& Draw);
