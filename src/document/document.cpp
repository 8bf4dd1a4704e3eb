#include "document/document.h"

#include <QUndoCommand>

#include <utility>

namespace rqm27 {

namespace {

// A step as the images before and after it: copying and comparing a whole image takes well
// under a millisecond, which keeps every command the same and simple.
class SnapshotCommand : public QUndoCommand {
 public:
  SnapshotCommand(Document& document, const QString& text, CloneImage before, CloneImage after,
                  bool mergeable)
      : QUndoCommand(text),
        document_(document),
        mergeable_(mergeable),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void redo() override { document_.applyStep(after_); }
  void undo() override { document_.applyStep(before_); }
  int id() const override { return mergeable_ ? MergeableId : -1; }
  bool mergeWith(const QUndoCommand* other) override {
    if (other->text() != text()) return false;
    after_ = static_cast<const SnapshotCommand*>(other)->after_;
    if (after_ == before_) setObsolete(true);
    return true;
  }

 private:
  static constexpr int MergeableId = 27;
  Document& document_;
  bool mergeable_;
  CloneImage before_;
  CloneImage after_;
};

}  // namespace

Document::Document(QObject* parent) : QObject(parent) {
  connect(&undoStack_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { emit modifiedChanged(!clean); });
}

void Document::setPath(const QString& path) {
  if (path == path_) return;
  path_ = path;
  emit pathChanged(path_);
}

bool Document::edit(const QString& text, const std::function<void(CloneImage&)>& change,
                    Merge merge) {
  CloneImage edited = image_;
  change(edited);
  return replace(text, std::move(edited), merge);
}

bool Document::replace(const QString& text, CloneImage image, Merge merge) {
  if (image == image_) return false;
  undoStack_.push(
      new SnapshotCommand(*this, text, image_, std::move(image), merge == Merge::WithSameText));
  return true;
}

void Document::markSaved() {
  undoStack_.setClean();
}

void Document::adjustWithoutStep(const std::function<void(CloneImage&)>& change) {
  CloneImage adjusted = image_;
  change(adjusted);
  applyStep(adjusted);
}

void Document::applyStep(const CloneImage& image) {
  const ImageChanges changes = ChangesBetween(image_, image);
  image_ = image;
  if (changes.any()) emit changed(changes);
}

}  // namespace rqm27
