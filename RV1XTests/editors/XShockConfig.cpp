#include "editors/XShockConfig.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <array>

#include "com/ServerModule.h"
#include "controls/KeyCodes.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "controls/MouseCodes.h"
#include "controls/Toolbar.h"
#include "services/LanguageService.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

namespace orvanRV1Xtst {

namespace {

constexpr double kDesignWidth = 7215, kDesignHeight = 2835;
constexpr double kHelpTop = 1860, kHelpHeight = 975;
constexpr double kFramesHeight = kHelpTop - 120;
constexpr double kChoiceListHeight = 1455;

const QString kLibrary = QStringLiteral("orvanRV1Xtst");
const QString kWaveColumn = QStringLiteral("wav");
const QString kDurationColumn = QStringLiteral("dur");
const QString kAdviceColumn = QStringLiteral("adv");
const QString kYes = QStringLiteral("20342::Yes");
const QString kNo = QStringLiteral("20343::No");

struct ColumnDesign {
  const QString& key;
  const char* caption;
  double share;  // of the list's width
  controls::ListAlignment alignment;
};
const ColumnDesign kColumns[] = {
    {kWaveColumn, "20135::ECG wave", 0.4225, controls::ListAlignment::Left},
    {kDurationColumn, "20165::Duration", 0.2465, controls::ListAlignment::Right},
    {kAdviceColumn, "20341::Advice", 0.2465, controls::ListAlignment::Right},
};

// The durations offered, in seconds (0: until the operator answers).
constexpr std::array<rt::Long, 7> kDurations = {0, 3, 5, 10, 30, 60, 120};

struct ButtonDesign {
  const char* key;
  const char* toolTip;
  const char* imageKey;
  const char* picture;  // the normal picture; "_DISABLED" and "_HOT" follow it
};
constexpr ButtonDesign kButtons[] = {
    {"pluss", "::Add waveform to list", "Pluss", "TBR:PLUSS"},
    {"up", "::Move up in list", "up", "TBR:UP"},
    {"down", "::Move down in list", "down", "TBR:DOWN"},
    {"del", "::Delete item from list", "del", "TBR:DEL"},
};

QString adviceText(bool advice) {
  return host::translated(advice ? kYes : kNo);
}

bool isMoveKey(rt::Integer code) {
  using namespace controls::key;
  return code == Up || code == Down || code == PageUp || code == PageDown || code == Home ||
         code == End;
}

// The Qt key of a moving key code, to hand it on to the choice list.
Qt::Key qtKeyOf(rt::Integer code) {
  using namespace controls::key;
  switch (code) {
    case Up:
      return Qt::Key_Up;
    case Down:
      return Qt::Key_Down;
    case PageUp:
      return Qt::Key_PageUp;
    case PageDown:
      return Qt::Key_PageDown;
    case Home:
      return Qt::Key_Home;
    default:
      return Qt::Key_End;
  }
}

std::shared_ptr<controls::ImageList> imageList(const char* suffix) {
  auto images = std::make_shared<controls::ImageList>(QSize(20, 20), QColor(0xC0, 0xC0, 0xC0));
  for (const ButtonDesign& button : kButtons) {
    rt::ignoreErrors([&] {
      images->Add(
          QLatin1String(button.imageKey),
          ui::LoadResPicture(kLibrary, QLatin1String(button.picture) + QLatin1String(suffix)));
    });
  }
  return images;
}

}  // namespace

XShockConfig::XShockConfig()
    : XConfigEditor(QStringLiteral("RV1XTests.XShockConfig"), kDesignWidth, kDesignHeight) {
  BuildGuideSettingsFrame();
  BuildSetupFrame();
  BuildDropDown();
  AddHelpText(
      "20196::Select waveform from the list and specify its duration and whether if it should "
      "result in a advise for shock or not. You can add multiple waveforms to be performed in a "
      "sequence by clicking the Add button.",
      {0, kHelpTop, kDesignWidth, kHelpHeight});
  TranslateCaptions();
  SetupColumns();
  ConnectStepList();
  ConnectDropDown();
  EnableInputs();
  Layout();
}

void XShockConfig::BuildGuideSettingsFrame() {
  fraTestGuideSettings_ = AddFrame("fraTestGuideSettings", this, {0, 0, 2055, kFramesHeight});
  lblTestGuideSettings_ =
      AddCaption("lblTestGuideSettings", "20310::Test guide settings:", fraTestGuideSettings_,
                 {120, 120, 1815, 240});
  AddTestGuideSettings(fraTestGuideSettings_, {120, 420, 1815, 735});
}

void XShockConfig::BuildSetupFrame() {
  fraTestSetup_ = AddFrame("fraTestSetup", this, {2175, 0, 5040, kFramesHeight});
  lblConfig_ =
      AddCaption("lblConfig", "20240::Test configuration:", fraTestSetup_, {120, 120, 4800, 240});
  tbrShock_ = new controls::Toolbar(Qt::Vertical, fraTestSetup_);
  tbrShock_->setObjectName(QStringLiteral("tbrShock"));
  tbrShock_->SetImageList(imageList(""));
  tbrShock_->SetDisabledImageList(imageList("_DISABLED"));
  tbrShock_->SetHotImageList(imageList("_HOT"));
  for (const ButtonDesign& button : kButtons)
    tbrShock_->AddButton(QLatin1String(button.key), QLatin1String(button.toolTip),
                         QLatin1String(button.imageKey));
  const QSize buttons = tbrShock_->ButtonSize();
  Move(tbrShock_, 120, 360, ui::toTwips(buttons.width()),
       ui::toTwips(buttons.height() * tbrShock_->ButtonCount()));
  lvwConfig_ =
      Add<controls::ListView>("lvwConfig", fraTestSetup_, {540, 360, 4380, kFramesHeight - 480});
}

// The in-place drop-down: the host's field over the cell and the choice
// list below it, both hidden until a cell is clicked.
void XShockConfig::BuildDropDown() {
  pboDropDown_ = Add<QFrame>("pboDropDown", this, {0, 0, 1500, 285});
  pboDropDown_->hide();
  rt::ignoreErrors([&] {
    xddDropDown_ = AddHostControl(QStringLiteral("orvanView.XDropDown"),
                                  QStringLiteral("xddDropDown"), pboDropDown_, {0, 0, 1500, 285});
    dropDown_ = com::queryInterface<host::IDropDown>(xddDropDown_->Object());
  });
  lstDropDown_ = Add<controls::ListBox>("lstDropDown", this, {0, 0, 1500, kChoiceListHeight});
  lstDropDown_->hide();
}

void XShockConfig::ConnectStepList() {
  connect(tbrShock_, &controls::Toolbar::ButtonClick, this,
          [this](const QString& key) { Handle([&] { HandleToolbarKey(key); }); });
  connect(tbrShock_, &controls::Toolbar::ButtonMenuClick, this,
          [this](const QString& key) { Handle([&] { HandleToolbarKey(key); }); });
  connect(lvwConfig_, &controls::ListView::MouseDown, this,
          [this](rt::Integer button, rt::Integer, rt::Single x, rt::Single y) {
            Handle([&] {
              itemClicked_ = false;
              HideDropDown();
              if (button != controls::mousebutton::Left) return;
              lastX_ = x;
              lastY_ = y;
            });
          });
  connect(lvwConfig_, &controls::ListView::ItemClick, this, [this] { itemClicked_ = true; });
  connect(lvwConfig_, &controls::ListView::Click, this, [this] {
    Handle([&] {
      if (itemClicked_) ShowDropDown(lastX_);
    });
  });
  connect(lvwConfig_, &controls::ListView::ColumnClick, this, [this] {
    Handle([&] {
      itemClicked_ = false;
      HideDropDown();
    });
  });
}

void XShockConfig::ConnectDropDown() {
  if (xddDropDown_) {
    connect(xddDropDown_.get(), &ui::Extender::ObjectEvent, this,
            [this](const QString& name, const QVariantList& parameters) {
              Handle([&] { DropDownFieldEvent(name, parameters); });
            });
  }
  connect(lstDropDown_, &controls::ListBox::KeyDown, this,
          [this](rt::Integer keyCode, rt::Integer) {
            Handle([&] {
              lastKey_ = keyCode;
              // A moving key runs the choice handler once the list has moved
              // (its Click).
              if (!isMoveKey(keyCode)) ChoiceHandler();
            });
          });
  connect(lstDropDown_, &controls::ListBox::MouseDown, this,
          [this] { lastKey_ = controls::key::Return; });
  connect(lstDropDown_, &controls::ListBox::Click, this,
          [this] { Handle([&] { ChoiceHandler(); }); });
  // Leaving the drop-down for another control closes it; the focus change
  // itself is never refused.
  connect(lstDropDown_, &controls::ListBox::Validate, this, [this](bool&) {
    Handle([&] {
      if (lstDropDown_->isVisible() && !DropDownHasFocus()) HideDropDown();
    });
  });
}

void XShockConfig::DropDownFieldEvent(const QString& name, const QVariantList& parameters) {
  if (name == host::editorevent::Commit) {
    CommitDropDown();
  } else if (name == host::editorevent::DropButton) {
    lstDropDown_->setVisible(!lstDropDown_->isVisible());
    if (lstDropDown_->isVisible()) {
      lstDropDown_->raise();
      lstDropDown_->setFocus(Qt::OtherFocusReason);
    }
  } else if (name == host::editorevent::KeyDown && !parameters.isEmpty()) {
    DropDownKeyDown(static_cast<rt::Integer>(parameters.first().toInt()));
  } else if (name == host::editorevent::GotFocus) {
    xddDropDown_->SetTag(QStringLiteral("1"));
  } else if (name == host::editorevent::LostFocus) {
    xddDropDown_->SetTag(QStringLiteral("0"));
    if (!DropDownHasFocus()) HideDropDown();
  }
}

XShockConfig::~XShockConfig() = default;

void XShockConfig::SetupColumns() {
  lvwConfig_->hide();
  lvwConfig_->SetView(controls::ListViewStyle::Report);
  const double width = ui::toTwips(lvwConfig_->width());
  for (const ColumnDesign& column : kColumns) {
    rt::ignoreErrors([&] {
      lvwConfig_->AddColumn(column.key, host::translated(QLatin1String(column.caption)),
                            width * column.share, column.alignment);
    });
  }
  lvwConfig_->show();
}

void XShockConfig::Initialize(const QVariant& Data) {
  const InitialisingScope filling(*this);
  rt::ignoreErrors([&] { config_ = ConfigurationOf<CConfigShock>(Data); });
  HideDropDown();
  lvwConfig_->ClearItems();
  lvwConfig_->hide();
  if (config_) {
    BindTestGuideSettings(config_->TestGuideConfig());
    ShowSteps();
  }
  lvwConfig_->show();
  lvwConfig_->SetSelectedItem(0);
  EnableInputs();
}

void XShockConfig::ShowSteps() {
  for (const CShockAdviceSettingPtr& step : config_->NewEnum())
    rt::ignoreErrors([&] { AddAdviceRow(step); });
}

void XShockConfig::AddAdviceRow(const CShockAdviceSettingPtr& step) {
  if (!step) return;
  const QString advice = adviceText(step->Advice());
  const int existing = lvwConfig_->FindItem(step->Key());
  if (existing != 0) {
    lvwConfig_->SetSubItemText(existing, 2, advice);
    return;
  }
  const int row = lvwConfig_->AddItem(step->Key(), step->WaveText());
  lvwConfig_->SetItemTag(row, step);
  lvwConfig_->AddSubItem(row, kDurationColumn, QString::number(step->Duration()));
  lvwConfig_->AddSubItem(row, kAdviceColumn, advice);
}

void XShockConfig::SetFocus() {
  rt::ignoreErrors([&] { lvwConfig_->setFocus(Qt::OtherFocusReason); });
}

void XShockConfig::LockedChanged(bool locked) {
  if (locked) HideDropDown();
  XConfigEditor::LockedChanged(locked);
}

void XShockConfig::EnableInputs() {
  const bool editable = config_ && !Locked();
  lvwConfig_->setEnabled(editable);
  tbrShock_->setEnabled(editable);
}

void XShockConfig::HandleToolbarKey(const QString& key) {
  HideDropDown();
  if (!config_ || Locked()) return;
  if (key == QLatin1String("pluss")) {
    const CShockAdviceSettingPtr step = config_->AddNew();
    if (!step) return;
    AddAdviceRow(step);
    ReportChange();
  } else if (key == QLatin1String("del")) {
    const int row = lvwConfig_->SelectedItem();
    if (row == 0) return;
    // Rows and steps are in the same order: the row's position names its
    // step.
    lvwConfig_->RemoveItem(row);
    config_->Remove(static_cast<rt::Integer>(row));
    ReportChange();
  } else if (key == QLatin1String("up")) {
    MoveSelectedStep(-1);
  } else if (key == QLatin1String("down")) {
    MoveSelectedStep(+1);
  }
}

void XShockConfig::MoveSelectedStep(int by) {
  const int row = lvwConfig_->SelectedItem();
  const int target = row + by;
  if (row == 0 || target < 1 || target > lvwConfig_->ItemCount()) return;
  std::vector<CShockAdviceSettingPtr> steps = config_->NewEnum();
  if (target > static_cast<int>(steps.size())) return;
  std::swap(steps.at(row - 1), steps.at(target - 1));
  // The configuration keeps its steps in the order they were added: they
  // are added again in the new order, under the keys they have.
  while (config_->Count() > 0) config_->Remove(1);
  for (const CShockAdviceSettingPtr& step : steps) config_->Add(step);
  {
    const InitialisingScope showing(*this);
    lvwConfig_->ClearItems();
    ShowSteps();
    lvwConfig_->SetSelectedItem(target);
  }
  ReportChange();
}

QString XShockConfig::ColumnKeyAt(double x) const {
  for (int column = 1; column <= lvwConfig_->ColumnCount(); ++column) {
    const double left = lvwConfig_->ColumnLeft(column);
    if (left <= x && x <= left + lvwConfig_->ColumnWidth(column))
      return lvwConfig_->ColumnKey(column);
  }
  return QString();
}

void XShockConfig::ShowDropDown(double x) {
  if (!config_ || Locked()) return;
  const int row = lvwConfig_->SelectedItem();
  const QString key = ColumnKeyAt(x);
  if (row == 0 || key.isEmpty()) return;
  const InitialisingScope opening(*this);
  const QString cell =
      key == kWaveColumn ? lvwConfig_->ItemText(row) : lvwConfig_->SubItemText(row, key);
  const int column = lvwConfig_->ColumnIndex(key);

  // The cell's rectangle in the editor's coordinates, a little inside it.
  const QPoint listAt = lvwConfig_->mapTo(this, QPoint(0, 0));
  const double left = ui::toTwips(listAt.x()) + lvwConfig_->ColumnLeft(column) + 50;
  const double top = ui::toTwips(listAt.y()) + lvwConfig_->ItemTop(row) + 45;
  const double width = lvwConfig_->ColumnWidth(column) - 30;
  const double height = lvwConfig_->ItemHeight(row) + 30;
  Move(pboDropDown_, left, top, width, height);
  pboDropDown_->show();
  pboDropDown_->raise();
  if (dropDown_) dropDown_->SetText(cell);
  if (xddDropDown_) {
    xddDropDown_->Move(0, 0, width, height);
    xddDropDown_->SetVisible(true);
  }

  FillChoiceList(key);
  for (int entry = 0; entry < lstDropDown_->ListCount(); ++entry) {
    if (lstDropDown_->List(entry) == cell) {
      lstDropDown_->SetListIndex(entry);
      break;
    }
  }
  // 15 twips under the box, or above it where the editor ends first.
  const double listHeight = ui::toTwips(lstDropDown_->height());
  double listTop = top + height + 15;
  if (listTop + listHeight > ScaleHeight() && top - 15 - listHeight >= 0)
    listTop = top - 15 - listHeight;
  Move(lstDropDown_, left, listTop, width);
  lstDropDown_->show();
  lstDropDown_->raise();
  lstDropDown_->setFocus(Qt::OtherFocusReason);
}

void XShockConfig::FillChoiceList(const QString& columnKey) {
  lstDropDown_->Clear();
  if (columnKey == kWaveColumn) {
    for (std::size_t wave = 0; wave < kShockRhythms.size(); ++wave)
      lstDropDown_->AddItem(host::translated(QLatin1String(kShockRhythms.at(wave).textKey)),
                            static_cast<rt::Long>(wave));
  } else if (columnKey == kDurationColumn) {
    for (rt::Long seconds : kDurations) lstDropDown_->AddItem(QString::number(seconds), seconds);
  } else if (columnKey == kAdviceColumn) {
    lstDropDown_->AddItem(adviceText(true), rt::kTrue);
    lstDropDown_->AddItem(adviceText(false), rt::kFalse);
  }
  dropDownColumn_ = columnKey;
}

bool XShockConfig::DropDownHasFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == lstDropDown_ || pboDropDown_->isAncestorOf(focus));
}

void XShockConfig::HideDropDown() {
  const bool open = pboDropDown_->isVisible() || lstDropDown_->isVisible();
  const bool focused = DropDownHasFocus();
  pboDropDown_->hide();
  lstDropDown_->hide();
  if (open && focused) lvwConfig_->setFocus(Qt::OtherFocusReason);
}

void XShockConfig::CommitDropDown() {
  if (Initialising() || !config_ || Locked()) return;
  const int entry = lstDropDown_->ListIndex();
  const int row = lvwConfig_->SelectedItem();
  // Without a chosen entry there is nothing to take.
  if (entry < 0 || row == 0) return;
  const QString text = lstDropDown_->List(entry);
  const rt::Long value = lstDropDown_->ItemData(entry);
  const auto step = std::dynamic_pointer_cast<CShockAdviceSetting>(lvwConfig_->ItemTag(row));
  if (!step) return;
  if (dropDownColumn_ == kWaveColumn) {
    if (step->WaveFormIndex() == value) return;
    lvwConfig_->SetItemText(row, text);
    step->SetWaveFormIndex(value);
    AddAdviceRow(step);
  } else if (dropDownColumn_ == kDurationColumn) {
    if (step->Duration() == value) return;
    lvwConfig_->SetSubItemText(row, kDurationColumn, text);
    step->SetDuration(value);
  } else if (dropDownColumn_ == kAdviceColumn) {
    if (step->Advice() == (value != 0)) return;
    lvwConfig_->SetSubItemText(row, kAdviceColumn, text);
    step->SetAdvice(value != 0);
  } else {
    return;
  }
  ReportChange();
}

void XShockConfig::ChoiceHandler() {
  if (Initialising()) return;
  using namespace controls::key;
  if (isMoveKey(lastKey_)) {
    if (dropDown_) dropDown_->SetText(lstDropDown_->Text());
  } else if (lastKey_ == Return || lastKey_ == Space) {
    CommitDropDown();
    HideDropDown();
  } else if (lastKey_ == Escape) {
    HideDropDown();
  }
  lastKey_ = 0;
}

void XShockConfig::DropDownKeyDown(rt::Integer keyCode) {
  // Keys pressed in the field work as in the choice list: the moving keys
  // move its choice.
  if (isMoveKey(keyCode) && lstDropDown_->isVisible()) {
    QKeyEvent press(QEvent::KeyPress, qtKeyOf(keyCode), Qt::NoModifier);
    QApplication::sendEvent(lstDropDown_, &press);
    return;
  }
  lastKey_ = keyCode;
  if (!isMoveKey(keyCode)) ChoiceHandler();
}

void XShockConfig::Layout() {
  const double w = std::max<double>(ScaleWidth(), kDesignWidth);
  const double h = std::max<double>(ScaleHeight(), 1575);
  if (h < 2640)
    ShrinkHelpLine(h - 1575 - 240, 240);
  else
    RestoreHelpLine();
  const double hy = HelpLineTop() - 120;
  const double gw = Clamp(w * 0.25, 2055, 2895);
  Move(fraTestGuideSettings_, 0, 0, gw, hy);
  Move(lblTestGuideSettings_, 120, 120, gw - 240);
  if (xtgTestGuideConfig_) xtgTestGuideConfig_->Move(120, 420, gw - 240);
  const double x0 = gw + 120;
  const double ws = std::min(w - x0, 9870.0);
  Move(fraTestSetup_, x0, 0, ws, hy);
  Move(lblConfig_, 120, 120, ws - 240);
  const double listWidth = ws - 660;
  Move(lvwConfig_, 540, 360, listWidth, hy - 480);
  for (int column = 1; column <= lvwConfig_->ColumnCount(); ++column) {
    rt::ignoreErrors(
        [&] { lvwConfig_->SetColumnWidth(column, listWidth * kColumns[column - 1].share); });
  }
}

RV1X_CREATABLE_CLASS("orvanRV1Xtst", XShockConfig)

}  // namespace orvanRV1Xtst
