#pragma once

#include <optional>
#include <string>

#include "Stringop/MessageSink.h"
#include "state/PdfPageChoice.h"

// The seam between the commands and whatever shows them: the Qt windows, the
// scripted fake of the tests, or the headless command line. Commands never
// call a toolkit directly; they ask, tell and refresh through this interface.

enum class QuestionType { Warning, Confirmation };
enum class QuestionButtons { YesNo, YesCancel };
enum class Answer { Yes, No, Cancel };

// The edit fields and the check box whose contents commands read and write.
enum class Field { Match, Vmin, Vmax, Min, Max, WhiteLimit, RotateAngle, Channels };

// Commands and controls whose enabled state commands change.
enum class Control {
  LoadBitmap,
  SaveBitmap,
  SaveAscii,
  DiscardColour,
  ReduceBitmap,
  RotateBitmap,
  UndoAll,
  CropImage,
  ClearInside,
  ClearOutside,
  SetAsUnit,
  CreateAscii,
  ButtonPanel,
  MatchField,     // "Match %" with its label
  StrictMatch,    // the "Strict Match" check box
  ChannelsField,  // "Channels" with its label, offered only while enabled
};

// The save dialogs; each remembers its own file name.
enum class SaveDialog { Bitmap, Ascii, Setup };

// Check marks that commands set: the "Strict Match" box and the two Edit
// menu items of the matching modes.
enum class Option { StrictMatch, ThoroughMatching, OnePointPerChannel };

// Status bar panels of the main window.
constexpr int StatusSize = 0;
constexpr int StatusData = 1;
constexpr int StatusProgress = 2;
constexpr int StatusFile = 3;

class Ui : public MessageSink {
 public:
  // Modal question; closing the box without an answer gives No or Cancel.
  virtual Answer ask(QuestionType type, QuestionButtons buttons, const std::string& text) = 0;
  // The application's general error box (errors raised by the platform).
  virtual void showError(const std::string& text) = 0;
  // Plain message box with an OK button (from MessageSink).
  void showMessage(const std::string& text) override = 0;

  // File dialogs: the chosen full path, or nothing when cancelled.
  virtual std::optional<std::string> chooseOpenFile(const std::string& filter,
                                                    const std::string& initialDir) = 0;
  virtual std::optional<std::string> chooseSaveFile(SaveDialog dialog, const std::string& filter,
                                                    const std::string& proposedName) = 0;
  // Which page of a PDF document of `pageCount` pages to open, and at what
  // resolution; nothing when cancelled. Where nobody can be asked, the proposal.
  virtual std::optional<PdfPageChoice> choosePdfPage(const std::string& path, int pageCount,
                                                     const PdfPageChoice& proposed) {
    (void)path;
    (void)pageCount;
    return proposed;
  }
  // A picture was opened from this file (for the list of recent ones).
  virtual void pictureOpened(const std::string& path) { (void)path; }

  virtual std::string statusText(int panel) const = 0;
  virtual void setStatusText(int panel, const std::string& text) = 0;

  virtual std::string fieldText(Field field) const = 0;
  virtual void setFieldText(Field field, const std::string& text) = 0;
  virtual bool strictMatchChecked() const = 0;
  // Sets a check mark without running what checking it by hand runs.
  virtual void setOptionChecked(Option option, bool checked) = 0;

  virtual bool isEnabled(Control control) const = 0;
  virtual void setEnabled(Control control, bool enabled) = 0;

  // Repaint of the main window's picture area (runs its paint now).
  virtual void repaintMain() = 0;
  // Redraws the outline of the active selection over the picture.
  virtual void drawSelectionOutline() = 0;
  // The unit template's picture changed.
  virtual void unitPictureChanged() = 0;

  // The preview window.
  virtual void showPreview() = 0;
  virtual void hidePreview() = 0;
  virtual void setPreviewCaption(const std::string& text) = 0;
  virtual void repaintPreview() = 0;

  // Busy pointer over the button panel and the main window.
  virtual void setBusy(bool busy) = 0;
  // Lets the windows handle pending messages from inside a long command.
  virtual void processPendingMessages() = 0;
};
