#include "forms/Memo.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <string>
#include <vector>

#include "forms/ByteText.h"
#include "forms/Form.h"
#include "score/LineStore.h"

namespace kadenzo::forms {

// Each block of the edit area's document is one physical line.
//
// Inside an update, a run of lines inserted one after another (as loading a
// file does) is held back and put into the document in one go when anything
// else is asked of the store, or when the update ends: inserting blocks one
// by one costs far more than inserting their text at once. Reads see the held
// lines in their places, so nobody can tell the difference.
class TMemo::Store final : public LineStore {
 public:
  explicit Store(QTextDocument& document) : document_(document), cursor_(&document) {}

  std::size_t Size() const override { return Blocks() + held_.size(); }

  std::string_view At(std::size_t index) const override {
    if (index >= heldAt_ && index - heldAt_ < held_.size()) return held_[index - heldAt_];
    if (index >= heldAt_ + held_.size()) index -= held_.size();
    read_ = TextToBytes(Block(index).text());
    return read_;
  }

  void Set(std::size_t index, std::string_view text) override {
    Flush();
    QTextBlock block = Block(index);
    cursor_.setPosition(block.position());
    cursor_.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor_.insertText(BytesToText(text));
  }

  void InsertAt(std::size_t index, std::string_view text) override {
    if (updating_) {
      if (held_.empty()) heldAt_ = index;
      if (index == heldAt_ + held_.size()) {
        held_.emplace_back(text);
        return;
      }
      Flush();
    }
    if (index < Blocks()) {
      cursor_.setPosition(Block(index).position());
      cursor_.insertText(BytesToText(text));
      cursor_.insertBlock();
    } else {
      cursor_.movePosition(QTextCursor::End);
      cursor_.insertBlock();
      cursor_.insertText(BytesToText(text));
    }
  }

  void BeginUpdate() {
    cursor_.beginEditBlock();
    updating_ = true;
  }

  void EndUpdate() {
    Flush();
    updating_ = false;
    cursor_.endEditBlock();
  }

 private:
  std::size_t Blocks() const { return static_cast<std::size_t>(document_.blockCount()); }

  QTextBlock Block(std::size_t index) const {
    return document_.findBlockByNumber(static_cast<int>(index));
  }

  // Puts the held lines into the document as one insertion; each "\n" of the
  // inserted text starts a new block.
  void Flush() {
    if (held_.empty()) return;
    QString text;
    bool atEnd = heldAt_ >= Blocks();
    for (const std::string& line : held_) {
      if (atEnd) text += '\n';
      text += BytesToText(line);
      if (!atEnd) text += '\n';
    }
    if (atEnd) {
      cursor_.movePosition(QTextCursor::End);
    } else {
      cursor_.setPosition(Block(heldAt_).position());
    }
    held_.clear();
    cursor_.insertText(text);
  }

  QTextDocument& document_;
  QTextCursor cursor_;
  mutable std::string read_;
  bool updating_ = false;
  std::vector<std::string> held_;  // lines that stand at heldAt_ onwards
  std::size_t heldAt_ = 0;
};

TMemo::TMemo(TForm& form, const QString& name, const QRect& bounds) : QPlainTextEdit(&form) {
  setObjectName(name);
  setGeometry(bounds);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  store_ = std::make_unique<Store>(*document());
  lines_ = std::make_unique<LineList>(*store_);
}

TMemo::~TMemo() = default;

LineList& TMemo::Lines() { return *lines_; }

TMemo::Update::Update(TMemo& memo, bool undoable) : memo_(memo), undoable_(undoable) {
  if (!undoable_) memo_.document()->setUndoRedoEnabled(false);
  memo_.store_->BeginUpdate();
}

TMemo::Update::~Update() {
  memo_.store_->EndUpdate();
  if (!undoable_) memo_.document()->setUndoRedoEnabled(true);
}

}  // namespace kadenzo::forms
