// The document: the one image the program edits, the file it belongs to, and the undo stack
// that every change goes through. Views read the image and listen to `changed`; "modified" is
// the undo stack's distance from its clean state (the last load or save).
#pragma once

#include "document/image_changes.h"
#include "model/clone_image.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>

namespace rqm27 {

class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);

  // The image; its address stays the same for the document's life.
  const CloneImage& image() const { return image_; }
  // The file last opened, saved or imported; empty before the first.
  const QString& path() const { return path_; }
  void setPath(const QString& path);
  bool isModified() const { return !undoStack_.isClean(); }
  QUndoStack& undoStack() { return undoStack_; }

  // Whether a step joins the one before it when both have the same text: for gestures that
  // change a value many times (a slider dragged, a title typed).
  enum class Merge { No, WithSameText };

  // One undoable step named `text` ("Delete 3 channels"): the change applied to a copy of the
  // image. A change that changes nothing is not recorded. Returns whether the image changed.
  bool edit(const QString& text, const std::function<void(CloneImage&)>& change,
            Merge merge = Merge::No);
  // A whole new image as one undoable step (a file opened, a read from the receiver).
  bool replace(const QString& text, CloneImage image, Merge merge = Merge::No);
  // Marks the image as the one the file holds.
  void markSaved();
  // A change that is no edit of the user's and so no step of its own: the receiver's settings
  // area as last read, the port taken from the preferences.
  void adjustWithoutStep(const std::function<void(CloneImage&)>& change);

  // Sets the image as a step applies it; for the undo commands only.
  void applyStep(const CloneImage& image);

 signals:
  void changed(const ImageChanges& changes);
  void modifiedChanged(bool modified);
  void pathChanged(const QString& path);

 private:
  CloneImage image_ = StartupImage();
  QString path_;
  QUndoStack undoStack_;
};

}  // namespace rqm27
