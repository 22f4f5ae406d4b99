#include "ui/qt/qt_window_system.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "base/paths.h"
#include "base/system.h"
#include "base/text.h"
#include "ui/controls.h"
#include "ui/qt/dialog_forms.h"

namespace quintora::ui::qt {
namespace {

// Counts up while the program itself changes a list, so that the list's
// selection signals are not taken for the user's.
class ProgramChange {
 public:
  explicit ProgramChange(int& depth) : depth_(depth) { ++depth_; }
  ~ProgramChange() { --depth_; }
  ProgramChange(const ProgramChange&) = delete;
  ProgramChange& operator=(const ProgramChange&) = delete;

 private:
  int& depth_;
};

QMessageBox::Icon to_qt(base::Icon icon) {
  switch (icon) {
    case base::Icon::Error:
      return QMessageBox::Critical;
    case base::Icon::Exclamation:
      return QMessageBox::Warning;
    case base::Icon::Information:
      break;
  }
  return QMessageBox::Information;
}

QMessageBox::StandardButtons to_qt(base::Buttons buttons) {
  switch (buttons) {
    case base::Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case base::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case base::Buttons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

}  // namespace

QString name_filter(const base::FileFilter& filter) {
  QString pattern = from_utf8(filter.pattern);
#ifndef _WIN32
  QString either_case;
  for (const QChar c : pattern) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      either_case += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
    } else {
      either_case += c;
    }
  }
  pattern = either_case;
#endif
  return from_utf8(filter.name) + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

QtWindowSystem::QtWindowSystem() = default;

QWidget* QtWindowSystem::owner() const {
  // A box asked for from inside a modal window (the Season window) belongs
  // to that window, so it shows above it.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return main_window_;
}
QtWindowSystem::~QtWindowSystem() = default;

template <class W>
W* QtWindowSystem::find(int id) const {
  const auto it = controls_.find(id);
  if (it == controls_.end()) return nullptr;
  return qobject_cast<W*>(it->second.widget.data());
}

QWidget* QtWindowSystem::control(int id) const { return find<QWidget>(id); }

void QtWindowSystem::notify(int id, base::Notification what) {
  if (sink_ != nullptr) sink_->on_event(id, what);
}

void QtWindowSystem::add_control(int id, QWidget* widget, bool notify_sink) {
  controls_[id] = Entry{widget, notify_sink};
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    // A display's accessible name is its caption; a screen reader or desktop
    // automation reads its value from the description, kept as its text.
    label->setAccessibleDescription(label->text());
  }
  if (!notify_sink) return;
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // Every change of the text, whoever makes it: typing, pasting, an input
    // method, text put in through the accessibility interface (screen
    // readers, dictation, automation), and the program's own set_text.
    connect(edit, &QLineEdit::textChanged, this, [this, id] {
      ++text_notices_;
      notify(id, base::Notification::Changed);
    });
    edit->installEventFilter(this);
    edit->setProperty("quintora_id", id);
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    connect(list, &QListWidget::itemSelectionChanged, this, [this, id] {
      if (program_change_ == 0) notify(id, base::Notification::SelectionChanged);
    });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    // A choice is a list whose one selected row is the current one.
    connect(combo, &QComboBox::currentIndexChanged, this, [this, id] {
      if (program_change_ == 0) notify(id, base::Notification::SelectionChanged);
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, [this, id] { notify(id, base::Notification::Clicked); });
  }
}

void QtWindowSystem::remove_control(int id) { controls_.erase(id); }

bool QtWindowSystem::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    const QVariant id = watched->property("quintora_id");
    if (id.isValid()) {
      notify(id.toInt(), event->type() == QEvent::FocusIn ? base::Notification::FocusGained
                                                          : base::Notification::FocusLost);
    }
  }
  return QObject::eventFilter(watched, event);
}

base::Answer QtWindowSystem::message_box(std::string_view text, std::string_view caption, base::Icon icon,
                                         base::Buttons buttons) {
  if (message_box_answerer_) {
    return message_box_answerer_(MessageBoxRequest{std::string(text), std::string(caption), icon, buttons});
  }
  QMessageBox box(to_qt(icon), from_utf8(caption), from_utf8(text), to_qt(buttons), owner());
  // Screen readers and desktop automation find the question by its text.
  box.setAccessibleName(from_utf8(caption));
  box.setAccessibleDescription(from_utf8(text));
  switch (box.exec()) {
    case QMessageBox::Ok:
      return base::Answer::Ok;
    case QMessageBox::Yes:
      return base::Answer::Yes;
    case QMessageBox::No:
      return base::Answer::No;
    default:
      break;
  }
  return buttons == base::Buttons::Ok ? base::Answer::Ok : base::Answer::Cancel;
}

void QtWindowSystem::list_append(int list, std::string_view text, int tag) {
  if (find<QComboBox>(list) != nullptr) return list_insert(list, -1, text, tag);
  auto* w = find<QListWidget>(list);
  if (w == nullptr) return;
  ProgramChange change(program_change_);
  auto* item = new QListWidgetItem(from_utf8(text));
  item->setData(Qt::UserRole, tag);
  w->addItem(item);
}

void QtWindowSystem::list_insert(int list, int row, std::string_view text, int tag) {
  if (auto* combo = find<QComboBox>(list)) {
    ProgramChange change(program_change_);
    combo->insertItem(row < 0 || row > combo->count() ? combo->count() : row, from_utf8(text), tag);
    return;
  }
  auto* w = find<QListWidget>(list);
  if (w == nullptr) return;
  if (row < 0 || row > w->count()) row = w->count();
  ProgramChange change(program_change_);
  auto* item = new QListWidgetItem(from_utf8(text));
  item->setData(Qt::UserRole, tag);
  w->insertItem(row, item);
}

void QtWindowSystem::list_delete(int list, int row) {
  if (auto* combo = find<QComboBox>(list)) {
    ProgramChange change(program_change_);
    const bool was_current = combo->currentIndex() == row;
    combo->removeItem(row);
    if (was_current) combo->setCurrentIndex(-1);
    return;
  }
  auto* w = find<QListWidget>(list);
  if (w == nullptr || row < 0 || row >= w->count()) return;
  ProgramChange change(program_change_);
  const bool was_selected = w->item(row)->isSelected();
  delete w->takeItem(row);
  // A list box has no selection after its selected entry is gone; Qt would
  // move the selection to a neighbour.
  if (was_selected) {
    w->clearSelection();
    w->setCurrentRow(-1);
  }
}

void QtWindowSystem::list_clear(int list) {
  if (auto* combo = find<QComboBox>(list)) {
    ProgramChange change(program_change_);
    combo->clear();
    return;
  }
  auto* w = find<QListWidget>(list);
  if (w == nullptr) return;
  ProgramChange change(program_change_);
  w->clear();
}

int QtWindowSystem::list_count(int list) const {
  if (const auto* combo = find<QComboBox>(list)) return combo->count();
  const auto* w = find<QListWidget>(list);
  return w == nullptr ? 0 : w->count();
}

int QtWindowSystem::list_selected(int list) const {
  if (const auto* combo = find<QComboBox>(list)) return combo->currentIndex();
  const auto* w = find<QListWidget>(list);
  if (w == nullptr) return -1;
  const QList<QListWidgetItem*> selected = w->selectedItems();
  return selected.isEmpty() ? -1 : w->row(selected.first());
}

std::string QtWindowSystem::list_text(int list, int row) const {
  if (const auto* combo = find<QComboBox>(list))
    return row < 0 ? std::string() : to_utf8(combo->itemText(row));
  const auto* w = find<QListWidget>(list);
  if (w == nullptr || row < 0 || row >= w->count()) return {};
  return to_utf8(w->item(row)->text());
}

int QtWindowSystem::list_tag(int list, int row) const {
  if (const auto* combo = find<QComboBox>(list)) {
    bool ok = false;
    const int tag = combo->itemData(row).toInt(&ok);
    return ok && row >= 0 ? tag : -1;
  }
  const auto* w = find<QListWidget>(list);
  if (w == nullptr || row < 0 || row >= w->count()) return -1;
  bool ok = false;
  const int tag = w->item(row)->data(Qt::UserRole).toInt(&ok);
  return ok ? tag : -1;
}

void QtWindowSystem::list_select(int list, int row) {
  if (auto* combo = find<QComboBox>(list)) {
    ProgramChange change(program_change_);
    combo->setCurrentIndex(row < 0 || row >= combo->count() ? -1 : row);
    return;
  }
  auto* w = find<QListWidget>(list);
  if (w == nullptr) return;
  ProgramChange change(program_change_);
  if (row < 0 || row >= w->count()) {
    w->clearSelection();
    return;
  }
  w->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  w->scrollToItem(w->item(row));
}

void QtWindowSystem::set_text(int id, std::string_view text) {
  const auto it = controls_.find(id);
  if (it == controls_.end() || it->second.widget.isNull()) return;
  QWidget* widget = it->second.widget.data();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    const int notices_before = text_notices_;
    edit->setText(from_utf8(text));  // a change notifies from textChanged, at once
    edit->setCursorPosition(0);
    // An unchanged text is reported too, as the form's handlers expect.
    if (it->second.notify && text_notices_ == notices_before) notify(id, base::Notification::Changed);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(from_utf8(text));
    label->setAccessibleDescription(label->text());
  } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
    spin->setValue(from_utf8(text).toInt());
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(from_utf8(text));
  }
}

std::string QtWindowSystem::get_text(int id, std::size_t max_bytes) const {
  if (const auto* edit = find<QLineEdit>(id)) return to_utf8(edit->text(), max_bytes);
  if (const auto* label = find<QLabel>(id)) return to_utf8(label->text(), max_bytes);
  if (const auto* spin = find<QSpinBox>(id)) return to_utf8(spin->cleanText(), max_bytes);
  if (const auto* button = find<QAbstractButton>(id)) return to_utf8(button->text(), max_bytes);
  return {};
}

void QtWindowSystem::set_checked(int id, bool checked) {
  if (auto* button = find<QAbstractButton>(id)) button->setChecked(checked);
}

bool QtWindowSystem::is_checked(int id) const {
  const auto* button = find<QAbstractButton>(id);
  return button != nullptr && button->isChecked();
}

int QtWindowSystem::run_dialog(int dialog_id, base::DialogHandler& handler) {
  QDialog dialog(main_window_);
  const DialogButtons buttons =
      dialog_id == dialog::schedule ? build_schedule_dialog(dialog, *this) : build_about_dialog(dialog);
  for (const auto& [id, button] : buttons.commands) {
    QObject::connect(button, &QAbstractButton::clicked, &dialog, [this, &dialog, &handler, id = id] {
      if (handler.on_command(*this, id)) dialog.done(1);
    });
  }
  if (buttons.cancel != nullptr)
    QObject::connect(buttons.cancel, &QAbstractButton::clicked, &dialog, &QDialog::reject);
  handler.on_open(*this);
  const int result = dialog.exec() == 1 ? 1 : 0;
  for (int id : buttons.registered) remove_control(id);
  return result;
}

void QtWindowSystem::update_now() {
  // Paints the open dialog at once, so its status line shows before a run
  // that keeps the event loop busy.
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->repaint();
  } else if (main_window_ != nullptr) {
    main_window_->repaint();
  }
}

std::optional<std::string> QtWindowSystem::choose_file(const base::FileDialogRequest& request) {
  if (file_dialog_answerer_) return file_dialog_answerer_(request);
  QFileDialog dialog(owner());
  QStringList filters;
  for (const base::FileFilter& f : request.filters) filters << name_filter(f);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  // The patterns are shown as the names give them.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  if (request.kind == base::FileDialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  }
  if (!request.default_suffix.empty()) dialog.setDefaultSuffix(from_utf8(request.default_suffix));
  if (!request.initial_path.empty()) {
    const QFileInfo offered(from_utf8(request.initial_path));
    if (offered.dir().exists()) dialog.setDirectory(offered.dir());
    dialog.selectFile(offered.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return to_utf8(QDir::toNativeSeparators(files.first()));
}

bool QtWindowSystem::start_program(std::string_view program, const std::vector<std::string>& arguments) {
  QString path = from_utf8(program);
  if (!path.contains(QLatin1Char('/')) && !path.contains(QLatin1Char('\\'))) {
    // Our own helper programs stand beside this one; the platform's are on the search path.
    QString found = QStandardPaths::findExecutable(path, {QCoreApplication::applicationDirPath()});
    if (found.isEmpty()) found = QStandardPaths::findExecutable(path);
    if (found.isEmpty()) return false;
    path = found;
  }
  QStringList args;
  for (const std::string& a : arguments) args << from_utf8(a);
  return QProcess::startDetached(path, args);
}

bool QtWindowSystem::open_with_default_application(std::string_view path) {
  // Windows opens it with the program associated with its type; elsewhere the
  // desktop's own opener knows the user's choice.
  return base::open_with_associated_program(base::path_from_utf8(path)) ||
         QDesktopServices::openUrl(QUrl::fromLocalFile(from_utf8(path)));
}

}  // namespace quintora::ui::qt
