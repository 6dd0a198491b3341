// Routing of the colour, pen and text style operations of a view stream to its viewport or its
// target stream.
#include "display/outputstream.h"

void TOutputStream::SetTarget(TViewTarget* Target) {
    FView = Target;
    FStream = nullptr;
    FKind = tkView;
    FSuspended = false;
}

void TOutputStream::SetTarget(TGStream* Target) {
    FView = nullptr;
    FStream = Target;
    FKind = tkStream;
    FSuspended = false;
}

TColor TOutputStream::GetLineColor() const {
    if (auto* View = ViewTarget()) return View->LineColor();
    if (auto* Stream = StreamTarget()) return Stream->GetLineColor();
    return 0;
}

TColor TOutputStream::GetColor() const {
    if (auto* View = ViewTarget()) return View->PenColor();
    if (auto* Stream = StreamTarget()) return Stream->GetColor();
    return 0;
}

TColor TOutputStream::GetBackColor() const {
    if (auto* View = ViewTarget()) return View->BackColor();
    if (auto* Stream = StreamTarget()) return Stream->GetBackColor();
    return 0;
}

void TOutputStream::SetLineColor(TColor Color) {
    if (auto* View = ViewTarget()) View->SetLineColor(Color);
    if (auto* Stream = StreamTarget()) Stream->SetLineColor(Color);
}

void TOutputStream::SetBackColor(TColor Color) {
    if (auto* View = ViewTarget()) View->SetBackColor(Color);
    if (auto* Stream = StreamTarget()) Stream->SetBackColor(Color);
}

void TOutputStream::SetPen(double Width, TLineStyle Style) {
    if (auto* Stream = StreamTarget()) Stream->SetPen(Width, Style);
}

void TOutputStream::SetTextStyle(const TTextStyle& Style) {
    if (auto* Stream = StreamTarget()) Stream->SetTextStyle(Style);
}
