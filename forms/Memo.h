// TMemo is the multi-line edit area that holds the score text. Its text is the
// one copy of the score: Lines() is a line list over the edit area's own
// document, so the program's reads and changes and the user's typing all
// work on the same text. Lines never wrap, both scroll bars are shown, Enter
// inserts a line break and Tab leaves the control.
#pragma once

#include <QPlainTextEdit>

#include <memory>

#include "score/LineList.h"

namespace kadenzo::forms {

class TForm;

class TMemo : public QPlainTextEdit {
 public:
  TMemo(TForm& form, const QString& name, const QRect& bounds);
  ~TMemo() override;

  // The line list over this edit area's text. Bytes are shown as ByteText
  // describes; a line the user did not touch reads back byte for byte.
  LineList& Lines();

  // Groups the changes made while it lives into one step: the view is brought
  // up to date once at the end, and the user undoes them all at once. With
  // `undoable` false the changes cannot be undone at all (for loading).
  class Update {
   public:
    explicit Update(TMemo& memo, bool undoable = true);
    Update(const Update&) = delete;
    Update& operator=(const Update&) = delete;
    ~Update();

   private:
    TMemo& memo_;
    bool undoable_;
  };

 private:
  class Store;
  std::unique_ptr<Store> store_;
  std::unique_ptr<LineList> lines_;
};

}  // namespace kadenzo::forms
