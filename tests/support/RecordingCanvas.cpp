#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

CanvasCall RecordingCanvas::Record(CanvasCall::Kind kind, int x1, int y1, int x2, int y2) const {
  CanvasCall call;
  call.What = kind;
  call.X1 = x1;
  call.Y1 = y1;
  call.X2 = x2;
  call.Y2 = y2;
  call.Pen = Pen();
  call.Brush = Brush();
  call.Font = Font();
  return call;
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  calls_.push_back(Record(CanvasCall::Kind::Rectangle, x1, y1, x2, y2));
}

void RecordingCanvas::FrameRect(const Rect& box) {
  calls_.push_back(Record(CanvasCall::Kind::FrameRect, box.Left, box.Top, box.Right, box.Bottom));
}

void RecordingCanvas::MoveTo(int x, int y) {
  calls_.push_back(Record(CanvasCall::Kind::MoveTo, x, y, x, y));
  penX_ = x;
  penY_ = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  calls_.push_back(Record(CanvasCall::Kind::Line, penX_, penY_, x, y));
  penX_ = x;
  penY_ = y;
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  calls_.push_back(Record(CanvasCall::Kind::Ellipse, x1, y1, x2, y2));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  CanvasCall call = Record(CanvasCall::Kind::TextOut, x, y, x, y);
  call.Text = text;
  calls_.push_back(call);
}

void RecordingCanvas::Draw(int x, int y, const Bitmap& picture) {
  CanvasCall call = Record(CanvasCall::Kind::Draw, x, y, picture.width(), picture.height());
  call.Picture = picture;
  calls_.push_back(call);
}

Bitmap RecordingCanvas::TextBitmap(const std::string& text, const CanvasFont& font) const {
  Bitmap bitmap(WidthOf(text, font.Size) + 2, HeightOf(font.Size) + 2, WhiteColour);
  if (!text.empty()) bitmap.fillRect({1, 1, 1 + CharWidth(font.Size), 1 + HeightOf(font.Size)}, font.Color);
  return bitmap;
}

std::vector<CanvasCall> RecordingCanvas::Of(CanvasCall::Kind kind) const {
  std::vector<CanvasCall> result;
  for (const CanvasCall& call : calls_) {
    if (call.What == kind) result.push_back(call);
  }
  return result;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> result;
  for (const CanvasCall& call : Of(CanvasCall::Kind::TextOut)) {
    if (!call.Text.empty()) result.push_back(call.Text);
  }
  return result;
}

CanvasCall RecordingCanvas::TextCall(const std::string& text) const {
  for (const CanvasCall& call : Of(CanvasCall::Kind::TextOut)) {
    if (call.Text == text) return call;
  }
  ADD_FAILURE() << "no text \"" << text << "\" was written";
  return {};
}
