#include "forms/Memo.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <string>

#include "forms/ByteText.h"
#include "forms/Form.h"
#include "score/LineStore.h"

namespace kadenzo::forms {

// Each block of the edit area's document is one physical line.
class TMemo::Store final : public LineStore {
 public:
  explicit Store(QTextDocument& document) : document_(document), cursor_(&document) {}

  std::size_t Size() const override { return static_cast<std::size_t>(document_.blockCount()); }

  std::string_view At(std::size_t index) const override {
    read_ = TextToBytes(Block(index).text());
    return read_;
  }

  void Set(std::size_t index, std::string_view text) override {
    QTextBlock block = Block(index);
    cursor_.setPosition(block.position());
    cursor_.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor_.insertText(BytesToText(text));
  }

  void InsertAt(std::size_t index, std::string_view text) override {
    if (index < Size()) {
      cursor_.setPosition(Block(index).position());
      cursor_.insertText(BytesToText(text));
      cursor_.insertBlock();
    } else {
      cursor_.movePosition(QTextCursor::End);
      cursor_.insertBlock();
      cursor_.insertText(BytesToText(text));
    }
  }

  QTextCursor& Cursor() { return cursor_; }

 private:
  QTextBlock Block(std::size_t index) const {
    return document_.findBlockByNumber(static_cast<int>(index));
  }

  QTextDocument& document_;
  QTextCursor cursor_;
  mutable std::string read_;
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
  memo_.store_->Cursor().beginEditBlock();
}

TMemo::Update::~Update() {
  memo_.store_->Cursor().endEditBlock();
  if (!undoable_) memo_.document()->setUndoRedoEnabled(true);
}

}  // namespace kadenzo::forms
