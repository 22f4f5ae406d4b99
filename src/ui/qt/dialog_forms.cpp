#include "ui/qt/dialog_forms.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/window_system.h"
#include "quintora/version.h"
#include "schedule/schedule_options.h"
#include "ui/controls.h"
#include "ui/qt/qt_window_system.h"
#include "ui/schedule_dialog.h"

namespace quintora::ui::qt {
namespace {

// Registers a dialog control and gives it the accessible name a screen
// reader announces.
template <class W>
W* add(DialogButtons& buttons, QtWindowSystem& ws, int id, W* widget, const QString& accessible_name) {
  widget->setAccessibleName(accessible_name);
  ws.add_control(id, widget, false);
  buttons.registered.push_back(id);
  return widget;
}

// "Length of season:" and "Result saved as (file name):".
QGridLayout* schedule_fields(DialogButtons& buttons, QtWindowSystem& ws) {
  auto* fields = new QGridLayout;
  auto* weeks_label = new QLabel(QStringLiteral("Length of season:"));
  auto* weeks = add(buttons, ws, control::weeks, new QLineEdit, QStringLiteral("Length of season"));
  weeks->setMaximumWidth(weeks->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
  weeks_label->setBuddy(weeks);
  auto* weeks_unit = new QLabel(QStringLiteral("weeks"));
  auto* file_label = new QLabel(QStringLiteral("Result saved as (file name):"));
  auto* file =
      add(buttons, ws, control::result_file, new QLineEdit, QStringLiteral("Result saved as (file name)"));
  file->setMinimumWidth(file->fontMetrics().averageCharWidth() * 30);
  file_label->setBuddy(file);
  fields->addWidget(weeks_label, 0, 0);
  auto* weeks_row = new QHBoxLayout;
  weeks_row->addWidget(weeks);
  weeks_row->addWidget(weeks_unit);
  weeks_row->addStretch();
  fields->addLayout(weeks_row, 0, 1);
  fields->addWidget(file_label, 1, 0);
  fields->addWidget(file, 1, 1);
  return fields;
}

// The ways to order the rounds: two efforts a row, then Fairest with its
// variant beside it.
QGroupBox* method_group(DialogButtons& buttons, QtWindowSystem& ws) {
  auto* effort = new QGroupBox(QStringLiteral("Maximize Home-Away Game Alternation"));
  auto* effort_layout = new QGridLayout(effort);
  for (std::size_t i = 0; i < method_controls.size(); ++i) {
    const QString caption = from_utf8(schedule::method_caption(method_controls[i].kind));
    effort_layout->addWidget(add(buttons, ws, method_controls[i].control, new QRadioButton(caption), caption),
                             static_cast<int>(i / 2), static_cast<int>(i % 2));
  }
  // Another draw of equal quality, for a secretary who wants one.
  auto* variant_row = new QHBoxLayout;
  auto* variant_label = new QLabel(QStringLiteral("Variant:"));
  auto* variant = add(buttons, ws, control::variant, new QSpinBox, QStringLiteral("Variant"));
  variant->setRange(1, schedule::max_variant);
  variant_label->setBuddy(variant);
  variant_row->addWidget(variant_label);
  variant_row->addWidget(variant);
  variant_row->addStretch();
  effort_layout->addLayout(variant_row, 2, 1);
  return effort;
}

}  // namespace

DialogButtons build_schedule_dialog(QDialog& dialog, QtWindowSystem& ws) {
  DialogButtons buttons;
  dialog.setWindowTitle(QStringLiteral("Schedule"));
  dialog.setAccessibleName(QStringLiteral("Schedule"));
  auto* layout = new QVBoxLayout(&dialog);

  layout->addLayout(schedule_fields(buttons, ws));
  layout->addWidget(method_group(buttons, ws));

  auto* viewer = new QGroupBox(QStringLiteral("Show Result with"));
  auto* viewer_layout = new QHBoxLayout(viewer);
  viewer_layout->addWidget(add(buttons, ws, control::viewer_notepad,
                               new QRadioButton(QStringLiteral("NotePad")), QStringLiteral("NotePad")));
  viewer_layout->addWidget(add(buttons, ws, control::viewer_wordpad,
                               new QRadioButton(QStringLiteral("WordPad")), QStringLiteral("WordPad")));
  viewer_layout->addStretch();
  layout->addWidget(viewer);

  const QString comma_text = QStringLiteral("Output in comma delimited format (to be imported by MS Excel)");
  layout->addWidget(add(buttons, ws, control::comma_delimited, new QCheckBox(comma_text), comma_text));

  auto* status = add(buttons, ws, control::status,
                     new QLabel(QStringLiteral("Click on \"Do it\" to Schedule.")), QStringLiteral("Status"));
  status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  layout->addWidget(status);

  auto* button_row = new QHBoxLayout;
  button_row->addStretch();
  auto* cancel =
      add(buttons, ws, control::cancel, new QPushButton(QStringLiteral("&Cancel")), QStringLiteral("Cancel"));
  auto* do_it =
      add(buttons, ws, control::do_it, new QPushButton(QStringLiteral("&Do it")), QStringLiteral("Do it"));
  cancel->setAutoDefault(false);
  do_it->setDefault(true);
  button_row->addWidget(cancel);
  button_row->addWidget(do_it);
  layout->addLayout(button_row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  buttons.commands.emplace_back(control::do_it, do_it);
  buttons.cancel = cancel;
  return buttons;
}

DialogButtons build_about_dialog(QDialog& dialog) {
  DialogButtons buttons;
  dialog.setWindowTitle(QStringLiteral("About"));
  dialog.setAccessibleName(QStringLiteral("About"));
  auto* layout = new QVBoxLayout(&dialog);

  auto* frame = new QFrame;
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  auto* frame_layout = new QHBoxLayout(frame);
  auto* icon = new QLabel;
  icon->setPixmap(QIcon(QStringLiteral(":/quintora/quintora-48.png")).pixmap(48, 48));
  icon->setAccessibleName(QStringLiteral("Quintora icon"));
  icon->setAlignment(Qt::AlignTop);
  frame_layout->addWidget(icon);
  auto* texts = new QVBoxLayout;
  auto* name = new QLabel(from_utf8(product_name));
  QFont name_font = name->font();
  name_font.setBold(true);
  name_font.setPointSizeF(name_font.pointSizeF() * 1.5);
  name->setFont(name_font);
  texts->addWidget(name);
  texts->addWidget(new QLabel(QStringLiteral("Version ") + from_utf8(version_text)));
  texts->addWidget(new QLabel(QStringLiteral("Season scheduler for bar sports leagues")));
  texts->addStretch();
  frame_layout->addLayout(texts, 1);
  layout->addWidget(frame);

  auto* box = new QDialogButtonBox;
  QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  ok->setAccessibleName(QStringLiteral("OK"));
  layout->addWidget(box);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  buttons.commands.emplace_back(about_ok, ok);
  return buttons;
}

}  // namespace quintora::ui::qt
