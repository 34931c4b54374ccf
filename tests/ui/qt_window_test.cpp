// The Qt window on the offscreen platform: start-up, layout, a drop, a real
// conversion through the Convert button, the error window and the about box,
// in Japanese and in English. Pictures of the three windows are saved (see
// tests/ui/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#if TESSARO_QT_DBUS
#include <QDBusConnection>
#endif
#include <QDesktopServices>
#include <QDir>
#include <QLocale>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMutex>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <fstream>
#include <vector>

#include "frontend/start_up.h"
#include "tests/support/temp_dir.h"
#include "tests/support/version_text.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/qt/error_window.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_program.h"
#include "ui/qt/translations.h"

#if defined(__SANITIZE_ADDRESS__)
// The font and message-bus libraries keep a few bytes to the end of the
// process; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libdbus-1\n";
}
#endif

namespace tessaro::qt {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::WriteFile;
using testing::TempDir;

void SavePicture(QWidget& widget, const char* name) {
  const char* dir = std::getenv("TESSARO_PICTURE_DIR");
  if (dir == nullptr) dir = TESSARO_PICTURE_DIR_DEFAULT;
  if (*dir == '\0') return;
  QDir().mkpath(dir);
  EXPECT_TRUE(widget.grab().save(QString(dir) + "/" + name, "PNG")) << name;
}

// The texts of window's labels and push buttons, in creation order, each
// checked to fit its box in its font (a button's inside its frame).
std::vector<std::string> TextsThatFit(QWidget& window) {
  std::vector<std::string> texts;
  for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QString text;
    int room = 0;
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(button);
      text = button->text();
      room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
      text = label->text();
      room = label->contentsRect().width();
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
      QStyleOptionButton option;
      option.initFrom(box);
      text = box->text();
      room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
    } else {
      continue;
    }
    if (text.isEmpty()) continue;
    texts.push_back(text.toStdString());
    const QString shown = QString(text).remove('&');  // the access key's mark is not drawn
    EXPECT_LE(w->fontMetrics().horizontalAdvance(shown), room) << text.toStdString();
  }
  return texts;
}

class QtWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "qt_window_test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
#if TESSARO_QT_DBUS
    StartPrivateBus();
#endif
  }

  // A message bus of the tests' own as the session's: no file manager of
  // the desktop answers them. It names its address once it accepts calls.
  static void StartPrivateBus() {
    static QProcess* bus = nullptr;
    if (bus != nullptr) return;
    bus = new QProcess;
    bus->start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    ASSERT_TRUE(bus->waitForStarted()) << "dbus-daemon is missing: scripts/install-deps qt";
    while (!bus->canReadLine()) ASSERT_TRUE(bus->waitForReadyRead(30000)) << "no bus address";
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus->readLine().trimmed());
    std::atexit([] {
      bus->kill();
      bus->waitForFinished();
    });
  }

  // The program on a temporary data directory, with the real conversion
  // wrapped so that the test sees the controls while it runs.
  QtDialogProgram& Start(CommandLine commandLine = {}, const std::string& openPath = {},
                         Language language = Language::kJapanese) {
    program.reset();  // its translations go before the next program's come
    program = std::make_unique<QtDialogProgram>(
        dir.Dir(), std::move(commandLine),
        [this](const ConversionRequest& request, ConversionHost& host) {
          convertEnabledDuring = Control(kIdcConvert)->isEnabled();
          convertTextDuring = qobject_cast<QPushButton*>(Control(kIdcConvert))->text();
          inputEnabledDuring = Control(kIdcInFile)->isEnabled();
          if (duringConversion) duringConversion();
          return DefaultConversionRunner()(request, host);
        },
        language);
    program->Start(openPath);
    return *program;
  }

  QWidget* Control(int id) { return program->Window().Control(id); }
  QString Text(int id) {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    return qobject_cast<QPlainTextEdit*>(w)->toPlainText();
  }
  std::string Sample(const std::string& name) {
    const std::string copy = dir.File(name);
    std::filesystem::copy_file(TESSARO_SAMPLES_DIR "/tone48k_stereo.aac", copy);
    return copy;
  }
  // The sample with 700 bytes of junk in the middle: the conversion reports
  // damaged places.
  std::string DamagedSample(const std::string& name) {
    const std::string path = Sample(name);
    std::string bytes = ReadFile(path);
    bytes.replace(40000, 700, std::string(700, '\x5a'));
    WriteFile(path, bytes);
    return path;
  }
  // Presses Convert. When the error window shows, calls shown once, then
  // closes the window with its button. Returns the ticks it was seen shown.
  int ConvertClosingTheErrorWindow(const std::function<void(ErrorWindow&)>& shown) {
    ErrorWindow* errorWindow = program->Ws().Error();
    int visibleTicks = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (!errorWindow->isVisible()) return;
      if (visibleTicks++ == 0) {
        shown(*errorWindow);
        errorWindow->findChild<QPushButton*>()->click();  // ends the countdown
      }
    });
    watch.start(20);
    qobject_cast<QPushButton*>(Control(kIdcConvert))->click();
    watch.stop();
    return visibleTicks;
  }
  void Drop(const std::vector<std::string>& paths, QWidget* target = nullptr) {
    QList<QUrl> urls;
    for (const std::string& p : paths) urls << QUrl::fromLocalFile(QString::fromStdString(p));
    QMimeData mime;
    mime.setUrls(urls);
    ASSERT_TRUE(DropMime(mime, target));
  }
  // Sends a drag and a drop of mime to target (the window by default), as
  // the window system hands them to the widget under the pointer. True when
  // the drag was accepted.
  bool DropMime(const QMimeData& mime, QWidget* target = nullptr) {
    if (target == nullptr) target = &program->Window();
    const QPoint at = target == &program->Window() ? QPoint(20, 90) : QPoint(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted();
  }

  TempDir dir;
  std::unique_ptr<QtDialogProgram> program;
  bool convertEnabledDuring = false;
  QString convertTextDuring;
  bool inputEnabledDuring = true;
  std::function<void()> duringConversion;
};

TEST_F(QtWindowTest, StartsAtSettingsGeometryWithVersionCaption) {
  ASSERT_FALSE(QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
      << "no Japanese font: install fonts-ipafont-gothic";
  WriteFile(dir.File("TSR.ini"), "PosX=30\nPosY=40\nSizeX=520\nSizeY=150\n");
  MainWindow& w = Start().Window();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), testing::kVersionText);
  EXPECT_EQ(w.frameGeometry(), QRect(30, 40, 520, 150));
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(qobject_cast<QComboBox*>(Control(kIdcOutputSize))->currentText(), "1/1");
}

TEST_F(QtWindowTest, APositionOffTheScreenComesBackOntoIt) {
  WriteFile(dir.File("TSR.ini"), "PosX=5000\nPosY=-3000\nSizeX=520\nSizeY=150\n");
  MainWindow& w = Start().Window();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(w.frameGeometry())) << w.frameGeometry().x() << ","
                                                   << w.frameGeometry().y();
  EXPECT_EQ(w.frameGeometry().size(), QSize(520, 150));
}

// Under a window manager the frame arrives some time after the window is
// shown; offscreen there is none.
void WaitForTheFrame(QWidget& w) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  if (QGuiApplication::platformName() == "offscreen") return;
  QElapsedTimer timer;
  timer.start();
  while (w.frameGeometry() == w.geometry() && timer.elapsed() < 3000) QTest::qWait(20);
  QTest::qWait(200);  // the window takes its size from the frame
}

TEST_F(QtWindowTest, RestartsBringTheWindowBackAtTheSavedOuterGeometry) {
  const std::string saved = "PosX=100\nPosY=90\nSizeX=640\nSizeY=200\n";
  WriteFile(dir.File("TSR.ini"), saved);
  for (int run = 1; run <= 3; ++run) {
    MainWindow& w = Start().Window();
    WaitForTheFrame(w);
    EXPECT_EQ(w.frameGeometry(), QRect(100, 90, 640, 200)) << "run " << run;
    w.reject();  // Esc: the settings are written
    EXPECT_EQ(ReadFile(dir.File("TSR.ini")).substr(0, saved.size()), saved) << "run " << run;
  }
}

// The editors' check box follows the size choice in the tab order, is
// ticked from the keyboard, and comes back ticked with the window.
TEST_F(QtWindowTest, EditorsChoiceIsReachedByTabAndKept) {
  MainWindow& w = Start().Window();
  Control(kIdcOutputSize)->setFocus();
  QTest::keyClick(Control(kIdcOutputSize), Qt::Key_Tab);
  ASSERT_EQ(w.focusWidget(), Control(kIdcForEditors));
  QTest::keyClick(Control(kIdcForEditors), Qt::Key_Space);
  w.reject();  // Esc: the settings are written
  EXPECT_TRUE(ReadFile(dir.File("TSR.ini")).ends_with("OutputSize=0\nForEditors=1\n"));
  Start();
  EXPECT_TRUE(qobject_cast<QCheckBox*>(Control(kIdcForEditors))->isChecked());
}

TEST_F(QtWindowTest, ResizingLaysOutControlsAndLimitsHold) {
  MainWindow& w = Start().Window();
  WaitForTheFrame(w);
  w.resize(400, 140);
  QApplication::processEvents();
  // The columns are as wide as the texts need, at least 44, 36 and 50 pixels.
  const int b = std::max(44, w.Room().buttonColumn);
  const int l = std::max(36, w.Room().labelColumn);
  const int s = std::max(50, w.Room().sizeLabel);
  const int r = 400 - b - 4;
  const int e = std::max(50, r - s - 14 - w.Room().editorsChoice);  // the editors' check box
  ASSERT_GT(w.Room().editorsChoice, 20);
  struct Case {
    int id;
    QRect rect;
  } cases[] = {
      {1002, {r, 6, b, 20}},          {1006, {r, 32, b, 20}},
      {1010, {r - s - 6, 60, s, 12}}, {1008, {r, 56, b, 20}},
      {1003, {r, 80, b, 56}},         {1001, {l + 4, 6, r - 12 - l, 20}},
      {1005, {l + 4, 32, r - 12 - l, 20}}, {1004, {4, 58, e - 10, 16}},
      {1000, {4, 80, r - 12, 56}},        {1015, {e, 58, r - s - 14 - e, 16}},
  };
  for (const Case& c : cases) EXPECT_EQ(Control(c.id)->geometry(), c.rect) << c.id;
  w.resize(100, 50);  // client size; the limits are on the outer size
  EXPECT_EQ(w.frameGeometry().size(), QSize(224, 136));
  w.resize(2000, 300);
  EXPECT_EQ(w.frameGeometry().width(), 1280);
}

TEST_F(QtWindowTest, ConvertsTheDroppedSampleThroughTheConvertButton) {
  const std::string input = Sample("tone DELAY 20ms.aac");
  Start();
  Drop({input});
  EXPECT_EQ(Text(kIdcInFile).toStdString(), input);
  const std::string output = dir.File("tone DELAY 0ms_aac.wav");
  EXPECT_EQ(Text(kIdcOutFile).toStdString(), output);
  EXPECT_EQ(program->Dialog().m_nDelay, 20);

  auto* bar = qobject_cast<QProgressBar*>(Control(kIdcProgress));
  std::vector<int> progress;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { progress.push_back(v); });
  qobject_cast<QPushButton*>(Control(kIdcConvert))->click();

  EXPECT_TRUE(convertEnabledDuring);  // as the cancel button
  EXPECT_EQ(convertTextDuring, "中止");
  EXPECT_FALSE(inputEnabledDuring);
  for (int id : {1008, 1003, 1001, 1002, 1005, 1006}) EXPECT_TRUE(Control(id)->isEnabled()) << id;
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(bar->value(), 100);
  EXPECT_TRUE(Text(kIdcInfo).startsWith("入力サイズ：")) << Text(kIdcInfo).toStdString();
  // At the first start the window is large enough for the whole report.
  auto* info = qobject_cast<QPlainTextEdit*>(Control(kIdcInfo));
  EXPECT_EQ(info->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(info->horizontalScrollBar()->maximum(), 0);
  EXPECT_TRUE(std::filesystem::file_size(output) > std::filesystem::file_size(input));
  SavePicture(program->Window(), "dialog.png");
}

TEST_F(QtWindowTest, ADropOnAnyBoxTakesTheLocalFileAndNeverInsertsText) {
  Start();
  QWidget* info = qobject_cast<QPlainTextEdit*>(Control(kIdcInfo))->viewport();
  struct Case {
    const char* name;
    QWidget* target;
  } cases[] = {
      {"window", &program->Window()},
      {"input box", Control(kIdcInFile)},
      {"output box", Control(kIdcOutFile)},
      {"information box", info},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string input = dir.File(std::string(c.name) + ".aac");
    Drop({input}, c.target);
    EXPECT_EQ(Text(kIdcInFile).toStdString(), input);
    EXPECT_EQ(Text(kIdcOutFile).toStdString(), dir.File(std::string(c.name) + "_aac.wav"));

    // Text, and links to anything but a local file, are ignored.
    QMimeData text;
    text.setText("file:///x.aac\nmore");
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/y.aac")});
    for (const QMimeData* mime : {&text, &remote}) {
      EXPECT_FALSE(DropMime(*mime, c.target));
      EXPECT_EQ(Text(kIdcInFile).toStdString(), input);
      EXPECT_EQ(Text(kIdcOutFile).toStdString(), dir.File(std::string(c.name) + "_aac.wav"));
    }
  }
}

// Esc and the close box during a conversion: it stops at its next event
// pump, leaves no output, and the window closes with the settings saved.
TEST_F(QtWindowTest, ClosingDuringAConversionCancelsItThenSavesAndCloses) {
  const std::string input = Sample("long.aac");
  WriteFile(dir.File("long_aac.wav"), "the user's earlier file");
  Start();
  Drop({input});
  MainWindow& w = program->Window();
  bool visibleAfterCloseRequests = false;
  bool savedDuringConversion = true;
  duringConversion = [&] {
    w.reject();  // Esc
    QCloseEvent closeBox;
    QApplication::sendEvent(&w, &closeBox);
    QCloseEvent again;
    QApplication::sendEvent(&w, &again);  // a second request: nothing more
    QApplication::processEvents();
    visibleAfterCloseRequests = w.isVisible();
    savedDuringConversion = FileExists(dir.File("TSR.ini"));
  };
  qobject_cast<QPushButton*>(Control(kIdcConvert))->click();
  EXPECT_TRUE(visibleAfterCloseRequests);
  EXPECT_FALSE(savedDuringConversion);
  EXPECT_EQ(ReadFile(dir.File("long_aac.wav")), "the user's earlier file");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()),
                          std::filesystem::directory_iterator()),
            3);  // the input, the earlier file, the settings: no hidden file left
  EXPECT_FALSE(w.isVisible());  // closed once the conversion returned
  EXPECT_EQ(w.result(), kIdCancel);
  EXPECT_EQ(Text(kIdcInfo), "エラー：変換が、中断されました。出力ファイルは、元のままです。\n");
  EXPECT_NE(ReadFile(dir.File("TSR.ini")).find("InFile=" + input), std::string::npos);
}

// Typing the input proposes the output and the delay from it; an output
// typed afterwards is kept.
TEST_F(QtWindowTest, TypingAnInputProposesItsOutput) {
  const std::string earlier = Sample("earlier DELAY 90ms.aac");
  Start({}, earlier);
  auto* in = qobject_cast<QLineEdit*>(Control(kIdcInFile));
  auto* out = qobject_cast<QLineEdit*>(Control(kIdcOutFile));
  // Typed key by key, as the window gets it from the keyboard.
  auto type = [](QWidget* box, const std::string& text) {
    for (const QChar ch : QString::fromStdString(text)) {
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  };
  in->selectAll();
  type(in, dir.File("next.aac"));
  EXPECT_EQ(out->text().toStdString(), dir.File("next_aac.wav"));
  EXPECT_EQ(program->Dialog().m_nDelay, 0);
  out->selectAll();
  type(out, dir.File("mine.wav"));
  EXPECT_EQ(out->text().toStdString(), dir.File("mine.wav"));
  in->end(false);
  QTest::keyClick(in, Qt::Key_Backspace);  // "next.aa": no output name for it
  EXPECT_EQ(out->text(), "");
}

// Several dropped files convert in turn with a real conversion: each report
// under its place in the queue, a missing file fails alone, the damaged one
// is logged, and a summary ends the run.
TEST_F(QtWindowTest, SeveralDroppedFilesConvertInTurn) {
  WriteFile(dir.File("TSR.ini"), "ETime=0\n");  // no countdown for the damage report
  const std::string good = Sample("good.aac");
  const std::string damaged = DamagedSample("damaged.aac");
  Start();
  auto* bar = qobject_cast<QProgressBar*>(Control(kIdcProgress));
  std::vector<int> progress;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { progress.push_back(v); });
  Drop({good, dir.File("missing.aac"), damaged});
  const std::string info = Text(kIdcInfo).toStdString();
  EXPECT_EQ(info.rfind("[1/3] good.aac\n入力サイズ：", 0), 0u) << info;
  EXPECT_NE(info.find("\n[2/3] missing.aac\nエラー："), std::string::npos) << info;
  EXPECT_NE(info.find("\n[3/3] damaged.aac\n入力サイズ："), std::string::npos) << info;
  EXPECT_NE(info.find("\n合計 3 ファイル：変換 1, 異常ありで変換 1, 失敗 1\n"), std::string::npos)
      << info;
  EXPECT_TRUE(FileExists(dir.File("good_aac.wav")));
  EXPECT_TRUE(FileExists(dir.File("damaged_aac.wav")));
  const auto full = std::find(progress.begin(), progress.end(), 100);
  EXPECT_NE(std::find(full, progress.end(), 0), progress.end());  // it restarted per file
  EXPECT_NE(ReadFile(dir.File("TSR_ErrorLog.txt")).find("\t入力ファイル：(damaged.aac)\t"),
            std::string::npos);
  EXPECT_TRUE(program->Ws().Error()->findChild<QPlainTextEdit*>()->toPlainText().startsWith(
      QString::fromUtf8("[3/3] damaged.aac\nエラー：")));
  EXPECT_TRUE(Control(kIdcInFile)->isEnabled());
  SavePicture(program->Window(), "dialog-queue.png");
}

TEST_F(QtWindowTest, OpenOptionShowsThePathAsIfDroppedWithoutConverting) {
  struct Case {
    std::vector<const char*> args;
    bool given;
    const char* path;
  } cases[] = {
      {{"tessaro"}, false, ""},
      {{"tessaro", "--open"}, true, ""},  // "Open with" left without a file: just the dialog
      {{"tessaro", "--open", "a b.aac", "-s2"}, true, "a b.aac"},
      {{"tessaro", "-s2", "--open", "a.aac"}, false, ""},
      // --lang= only chooses the language, wherever it stands.
      {{"tessaro", "--open", "a.aac", "--lang=en"}, true, "a.aac"},
      {{"tessaro", "--lang=en", "--open", "a.aac"}, true, "a.aac"},
      {{"tessaro", "--open", "--lang=ja"}, true, ""},
  };
  // The arguments as main() hands them on after the start-up.
  const auto argumentsAfterStart = [](const std::vector<const char*>& given, Language* language) {
    const ProgramStart start =
        ReadProgramStart(std::vector<std::string>(given.begin() + 1, given.end()), ProgramKind::kDialog);
    if (language != nullptr) *language = start.language;
    std::vector<std::string> args{given.front()};
    args.insert(args.end(), start.tokens.begin(), start.tokens.end());
    return args;
  };
  const auto pointers = [](const std::vector<std::string>& args) {
    std::vector<const char*> p;
    for (const std::string& a : args) p.push_back(a.c_str());
    return p;
  };
  for (const Case& c : cases) {
    const std::vector<std::string> kept = argumentsAfterStart(c.args, nullptr);
    const std::vector<const char*> args = pointers(kept);
    const OpenOption option = OpenOptionFromArgs(static_cast<int>(args.size()), args.data());
    EXPECT_EQ(option.given, c.given) << c.args.size();
    EXPECT_EQ(option.path, c.path) << c.args.size();
  }
  // "tessaro --lang=en" opens the dialog, in English whatever the locale says.
  Language chosen = Language::kJapanese;
  const std::vector<std::string> programOnly =
      argumentsAfterStart({"tessaro", "--lang=ja", "--lang=en"}, &chosen);
  const std::vector<const char*> programOnlyArgs = pointers(programOnly);
  EXPECT_TRUE(CommandLineFromArgs(static_cast<int>(programOnlyArgs.size()), programOnlyArgs.data()).empty);
  EXPECT_EQ(chosen, Language::kEnglish);

  const std::string input = Sample("open DELAY 20ms.aac");
  MainWindow& w = Start({}, input).Window();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Text(kIdcInFile).toStdString(), input);
  EXPECT_EQ(Text(kIdcOutFile).toStdString(), dir.File("open DELAY 0ms_aac.wav"));
  EXPECT_EQ(program->Dialog().m_nDelay, 20);
  QApplication::processEvents();
  EXPECT_FALSE(FileExists(dir.File("open DELAY 0ms_aac.wav")));
}

TEST_F(QtWindowTest, DamagedSampleShowsErrorWindowThatHidesAndLogs) {
  const std::string input = DamagedSample("damaged.aac");
  Start();
  Drop({input});
  ErrorWindow* errorWindow = program->Ws().Error();
  ASSERT_NE(errorWindow, nullptr);
  QElapsedTimer clock;
  clock.start();
  const int visibleTicks = ConvertClosingTheErrorWindow(
      [](ErrorWindow& shown) { SavePicture(shown, "error-window.png"); });

  EXPECT_GT(visibleTicks, 0);
  EXPECT_LT(clock.elapsed(), 1500);  // closed well before its 2.0 seconds
  EXPECT_FALSE(errorWindow->isVisible());
  EXPECT_EQ(errorWindow->windowTitle(), "TSR エラーメッセージ");
  const std::string log = ReadFile(dir.File("TSR_ErrorLog.txt"));
  EXPECT_NE(log.find("\t入力ファイル：(damaged.aac)\tエラー：このAACファイルは正常ではありません。"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.back(), '\n');

  // Once the error window has hidden, the window keeps a mark of the damage,
  // and its context menu shows the report again until the next conversion.
  auto* bar = qobject_cast<QProgressBar*>(Control(kIdcProgress));
  EXPECT_TRUE(bar->isTextVisible());
  EXPECT_EQ(bar->text(), "データ異常");
  const QString report = errorWindow->findChild<QPlainTextEdit*>()->toPlainText();
  QString shownAgain;
  QTimer::singleShot(0, [&] {
    shownAgain = errorWindow->findChild<QPlainTextEdit*>()->toPlainText();
    errorWindow->findChild<QPushButton*>()->click();
  });
  program->Dialog().OnShowDamageReport();
  EXPECT_EQ(shownAgain, report);
  EXPECT_EQ(ReadFile(dir.File("TSR_ErrorLog.txt")), log);  // not logged twice
  Drop({Sample("clean.aac")});
  qobject_cast<QPushButton*>(Control(kIdcConvert))->click();
  EXPECT_FALSE(bar->isTextVisible());
  EXPECT_FALSE(program->Dialog().HasDamageReport());
}

// Enter in a path box or on the convert button converts and leaves the focus
// there; Shift+F10 and the menu key open the context menu with the about
// entry.
TEST_F(QtWindowTest, TheKeyboardReachesConvertAndTheContextMenu) {
  Start({}, Sample("keys.aac"));
  struct Case {
    int focus;
    const char* output;
  } cases[] = {{kIdcInFile, "a.wav"}, {kIdcOutFile, "b.wav"}, {kIdcConvert, "c.wav"}};
  for (const Case& c : cases) {
    qobject_cast<QLineEdit*>(Control(kIdcOutFile))->setText(QString::fromStdString(dir.File(c.output)));
    QWidget* focus = Control(c.focus);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_Return);
    EXPECT_TRUE(FileExists(dir.File(c.output))) << c.output;
    EXPECT_EQ(program->Window().focusWidget(), focus) << c.output;  // back where it was
  }
  for (const auto& [key, modifiers] : {std::pair{Qt::Key_F10, Qt::ShiftModifier},
                                       std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
    QWidget* focus = Control(kIdcConvert);
    focus->setFocus();
    QTest::keyClick(focus, key, modifiers);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << key;
    EXPECT_EQ(menu->actions().back()->text(), "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    menu->close();
  }
}

// Takes the URLs the desktop would open, instead of a file manager.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

// Each entry of the context menu, chosen by key in a real menu, runs once
// the menu has closed (its countdown or modal window pumps events, which
// delete the menu); the menu opens again afterwards.
TEST_F(QtWindowTest, EveryContextMenuEntryChosenByKeyLeavesTheMenuWhole) {
  const std::string input = DamagedSample("menu.aac");
  Start();
  Drop({input});
  ConvertClosingTheErrorWindow([](ErrorWindow&) {});
  ASSERT_TRUE(program->Dialog().HasDamageReport());
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "Open");
  ErrorWindow* errorWindow = program->Ws().Error();
  int errorShown = 0;
  int modalShown = 0;
  QTimer closer;  // closes what an entry opened
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      ++modalShown;
      modal->accept();
    } else if (errorWindow->isVisible()) {
      ++errorShown;
      errorWindow->findChild<QPushButton*>()->click();
    }
  });
  closer.start(20);
  auto openMenu = [&]() -> QMenu* {
    QWidget* focus = Control(kIdcConvert);
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F10, Qt::ShiftModifier);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
  };
  const std::vector<QString> entries = {"出力ファイルをフォルダーで表示(&F)",
                                        "データ異常の報告を表示(&D)...",
                                        "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)..."};
  for (const QString& entry : entries) {
    SCOPED_TRACE(entry.toStdString());
    QMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    QAction* action = nullptr;
    for (QAction* a : menu->actions()) {
      if (a->text() == entry) action = a;
    }
    ASSERT_NE(action, nullptr);
    menu->setActiveAction(action);
    // The key comes from the event loop, as a user's does; the entry has not
    // run when the menu's key handler returns.
    const auto ran = [&] { return int(catcher.opened.size()) + errorShown + modalShown; };
    const int before = ran();
    bool ranInsideTheHandler = true;
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
      QTest::keyClick(menu, Qt::Key_Return);
      ranInsideTheHandler = ran() != before;
      loop.quit();
    });
    loop.exec();
    EXPECT_FALSE(ranInsideTheHandler);
    QElapsedTimer clock;
    clock.start();
    while (catcher.opened.size() + errorShown + modalShown < int(&entry - &entries[0]) + 1 &&
           clock.elapsed() < 5000) {
      QTest::qWait(20);
    }
  }
  ASSERT_EQ(catcher.opened.size(), 1);
  EXPECT_EQ(catcher.opened[0].toLocalFile(), QDir(QString::fromStdString(dir.Dir())).absolutePath());
  EXPECT_EQ(errorShown, 1);
  EXPECT_EQ(modalShown, 1);
  QMenu* again = openMenu();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->actions().back()->text(), entries.back());
  again->close();
  QDesktopServices::unsetUrlHandler("file");
}

#if TESSARO_QT_DBUS
// A file manager with the freedesktop FileManager1 interface on the session
// bus, as a desktop has one: it notes the items it was asked to show. It
// answers from a thread of its own, as another program would, while the
// window waits.
class FakeFileManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

 public:
  FakeFileManager() : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "files")) {
    moveToThread(&thread_);
    thread_.start();
    EXPECT_TRUE(bus_.registerObject("/org/freedesktop/FileManager1", this,
                                    QDBusConnection::ExportAllSlots));
    EXPECT_TRUE(bus_.registerService("org.freedesktop.FileManager1"));
  }
  ~FakeFileManager() override {
    bus_.unregisterService("org.freedesktop.FileManager1");
    bus_.unregisterObject("/org/freedesktop/FileManager1");
    QDBusConnection::disconnectFromBus("files");
    thread_.quit();
    thread_.wait();
  }
  QStringList Shown() {
    QMutexLocker lock(&mutex_);
    return shown_;
  }

 public slots:
  void ShowItems(const QStringList& uris, const QString&) {
    QMutexLocker lock(&mutex_);
    shown_ << uris;
  }

 private:
  QThread thread_;
  QDBusConnection bus_;
  QMutex mutex_;
  QStringList shown_;
};

// "Show the output in its folder": the file manager selects the output;
// without one, the folder is opened; where nothing can be opened, the error
// window says so.
TEST_F(QtWindowTest, ShowingTheOutputAsksTheFileManagerElseOpensTheFolderElseSaysSo) {
  const std::string input = Sample("show me.aac");
  Start();
  Drop({input});
  qobject_cast<QPushButton*>(Control(kIdcConvert))->click();
  const QString output = QString::fromStdString(dir.File("show me_aac.wav"));
  ASSERT_TRUE(program->Dialog().HasOutputToShow());
  ErrorWindow* errorWindow = program->Ws().Error();
  QString message;
  QTimer closer;  // reads and closes the error window, should it show
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (!errorWindow->isVisible()) return;
    message = errorWindow->findChild<QPlainTextEdit*>()->toPlainText();
    errorWindow->findChild<QPushButton*>()->click();
  });
  closer.start(20);
  UrlCatcher opener;
  {
    FakeFileManager files;
    QDesktopServices::setUrlHandler("file", &opener, "Open");
    program->Dialog().OnShowOutputFolder();
    EXPECT_EQ(files.Shown(), QStringList{QUrl::fromLocalFile(output).toString(QUrl::FullyEncoded)});
    EXPECT_TRUE(opener.opened.isEmpty());
  }
  program->Dialog().OnShowOutputFolder();  // nobody on the bus
  ASSERT_EQ(opener.opened.size(), 1);
  EXPECT_EQ(opener.opened[0], QUrl::fromLocalFile(QString::fromStdString(dir.Dir())).adjusted(QUrl::StripTrailingSlash));
  EXPECT_TRUE(message.isEmpty());
  QDesktopServices::unsetUrlHandler("file");
  // No opener either: none found on the path (offscreen has none at all).
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(dir.Dir()));
  program->Dialog().OnShowOutputFolder();
  qputenv("PATH", path);
  EXPECT_EQ(message, "エラー：出力ファイル（" + output + "）を、フォルダーで表示できません。\n");
}
#endif

TEST_F(QtWindowTest, AboutBoxOpensFromTheContextMenu) {
  Start();
  QMenu* menu = program->Window().BuildContextMenu();
  QAction* entry = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text() == "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)...") entry = action;
  }
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(menu->actions().front()->isSeparator());
  QString version;
  QString noticeText;
  bool noticeFits = false;
  auto closeBox = [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    version = box->findChild<QWidget*>("control1009")->property("text").toString();
    auto* notice = box->findChild<QLabel*>("aboutNotice");
    ASSERT_NE(notice, nullptr);
    noticeText = notice->text();
    noticeFits = notice->fontMetrics().horizontalAdvance(noticeText) <= notice->width();
    SavePicture(*box, "about-box.png");
    qobject_cast<QDialog*>(box)->accept();
  };
  // The entry runs once the menu's handlers have returned.
  entry->trigger();
  EXPECT_TRUE(version.isEmpty());
  QTimer::singleShot(0, closeBox);
  QApplication::processEvents();
  EXPECT_EQ(version, testing::kVersionText);
  EXPECT_EQ(noticeText, QString::fromUtf8(kAboutNotice));  // the same text as the .rc's
  EXPECT_TRUE(noticeFits) << noticeText.toStdString();
  delete menu;

  // The text boxes' own menus end with the about entry too.
  for (int id : {kIdcInFile, kIdcOutFile, kIdcInfo}) {
    QMenu* boxMenu = program->Window().BuildContextMenu(Control(id));
    ASSERT_GE(boxMenu->actions().size(), 3) << id;
    EXPECT_EQ(boxMenu->actions().back()->text(), "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)...") << id;
    delete boxMenu;
  }
}

TEST_F(QtWindowTest, QtsOwnTextsFollowTheUsersLanguage) {
  QTranslator* japanese = InstallQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan));
  ASSERT_NE(japanese, nullptr) << "Qt's translations are missing: install qt6-translations-l10n";
  Start();
  QMenu* menu = program->Window().BuildContextMenu(Control(kIdcInfo));
  QStringList texts;
  for (QAction* action : menu->actions()) texts << action->text();
  EXPECT_TRUE(texts.join("|").contains("コピー")) << texts.join("|").toStdString();
  delete menu;
  QCoreApplication::removeTranslator(japanese);
  delete japanese;
}

// The Japanese window keeps its texts; the English one shows its own. In
// both every text fits its control, and a screen reader tells the controls
// apart by their names.
TEST_F(QtWindowTest, WindowsShowTheChosenLanguageAndEveryTextFits) {
  struct Case {
    Language language;
    const char* sample;
    std::vector<std::string> mainTexts;
    // The browse buttons, the progress bar, the information box, the size
    // choice; then the progress bar after a damaged file.
    std::vector<std::string> accessibleNames;
    const char* damagedProgressName;
    const char* messageName;  // the error window's message
    const char* errorTitle;
    const char* errorButton;
    const char* aboutTitle;
    const char* aboutEntry;
    const char* damageEntry;
    const char* report;  // the start of the conversion's report
    const char* sizeTip;  // the start of the size choice's tooltip
    const char* countdown;  // its start
  } cases[] = {
      {Language::kJapanese, "曲",
       {"入力", "参照", "出力", "参照", "TSRｻｲｽﾞ", "編集ソフト用", "変換"},
       {"入力ファイルを参照...", "出力ファイルを参照...", "進行状況", "報告", "TSRｻｲｽﾞ",
        "編集ソフト用"},
       "進行状況：データ異常", "メッセージ",
       "TSR エラーメッセージ", "閉じる", "Tessaroのﾊﾞｰｼﾞｮﾝ情報",
       "Tessaro のﾊﾞｰｼﾞｮﾝ情報(&A)...", "データ異常の報告を表示(&D)...", "入力サイズ：",
       "1/1：16ビット", "あと"},
      {Language::kEnglish, "song",
       {"&Input", "&Browse…", "&Output", "B&rowse…", "WAV &size", "For &editors", "&Convert"},
       {"Browse for the input file…", "Browse for the output file…", "Progress", "Report",
        "WAV size", "For editors"},
       "Progress: damaged", "Message",
       "Message from Tessaro", "Close", "About Tessaro", "&About Tessaro…",
       "Show the &damage report…", "Input size:", "1/1: a 16-bit WAV.", "Closes in "},
  };
  for (const Case& c : cases) {
    const std::string name = c.sample;
    SCOPED_TRACE(name);
    Start({}, {}, c.language);
    EXPECT_EQ(TextsThatFit(program->Window()), c.mainTexts);
    EXPECT_TRUE(Control(kIdcOutputSize)->toolTip().startsWith(QString::fromUtf8(c.sizeTip)));
    const auto accessible = [&](int id) { return QAccessible::queryAccessibleInterface(Control(id)); };
    std::vector<std::string> names;
    for (int id : {kIdcBrowseIn, kIdcBrowseOut, kIdcProgress, kIdcInfo}) {
      names.push_back(accessible(id)->text(QAccessible::Name).toStdString());
    }
    // The size choice by its label, with the entry shown as its value.
    names.push_back(accessible(kIdcOutputSize)->text(QAccessible::Name).toStdString());
    names.push_back(accessible(kIdcForEditors)->text(QAccessible::Name).toStdString());
    EXPECT_EQ(names, c.accessibleNames);
    EXPECT_EQ(accessible(kIdcOutputSize)->text(QAccessible::Value), "1/1");
    EXPECT_EQ(Control(kIdcBrowseIn)->toolTip().toStdString(), c.accessibleNames[0]);
    // The path boxes hold their font's descent: an underscore shows.
    auto* pathBox = qobject_cast<QLineEdit*>(Control(kIdcOutFile));
    pathBox->setText("song_aac.wav");
    const QImage underscore = pathBox->grab().toImage();
    pathBox->setText("song aac.wav");
    EXPECT_NE(pathBox->grab().toImage(), underscore);

    Drop({DamagedSample(name + ".aac")});
    std::vector<std::string> errorTexts;  // the button's, then the countdown
    ConvertClosingTheErrorWindow([&](ErrorWindow& shown) {
      EXPECT_EQ(shown.windowTitle().toStdString(), c.errorTitle);
      errorTexts = TextsThatFit(shown);
      auto* message = QAccessible::queryAccessibleInterface(shown.findChild<QPlainTextEdit*>());
      EXPECT_EQ(message->text(QAccessible::Name).toStdString(), c.messageName);
    });
    ASSERT_EQ(errorTexts.size(), 2u);
    EXPECT_EQ(errorTexts[0], c.errorButton);
    EXPECT_EQ(errorTexts[1].rfind(c.countdown, 0), 0u) << errorTexts[1];  // the countdown's language
    EXPECT_TRUE(Text(kIdcInfo).startsWith(c.report)) << Text(kIdcInfo).toStdString();
    EXPECT_EQ(accessible(kIdcProgress)->text(QAccessible::Name).toStdString(),
              c.damagedProgressName);
    EXPECT_EQ(accessible(kIdcProgress)->valueInterface()->currentValue().toInt(), 100);

    QMenu* menu = program->Window().BuildContextMenu();
    // The output's folder, the damage report, then the about entry.
    ASSERT_EQ(menu->actions().size(), 6);
    EXPECT_EQ(menu->actions()[3]->text().toStdString(), c.damageEntry);
    EXPECT_EQ(menu->actions().back()->text().toStdString(), c.aboutEntry);
    // The entry runs after the menu's handlers, then the box closes.
    menu->actions().back()->trigger();
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle().toStdString(), c.aboutTitle);
      TextsThatFit(*box);
      qobject_cast<QDialog*>(box)->accept();
    });
    QApplication::processEvents();
    delete menu;
  }
}

// The dialog program's command-line run ends with the console program's
// exit status. The program runs from a copy in the test folder, which is
// then its data folder.
TEST_F(QtWindowTest, CommandLineRunExitsWithTheConsoleProgramsStatus) {
  const std::string copy = dir.File("tessaro");
  std::filesystem::copy_file(TESSARO_QT_PROGRAM_PATH, copy);
  WriteFile(dir.File("TSR.ini"), "ETime=0\n");  // no countdown for the damage report
  const std::string good = Sample("good.aac");
  const std::string damaged = DamagedSample("damaged.aac");
  const QString song = QString::fromStdString(Sample("song.aac"));
  WriteFile(dir.File("x.wav"), "an older WAV");
  const QString x = QString::fromStdString(dir.File("x.wav"));
  struct Case {
    QStringList args;
    int status;
    const char* message = "";  // on standard error
  } cases[] = {
      {{QString::fromStdString(good)}, 0},
      {{"--lang=en", QString::fromStdString(good)}, 0},  // not taken for a path
      {{"-style", "Fusion", QString::fromStdString(good)}, 0},  // Qt's own option
      {{QString::fromStdString(dir.File("missing.aac"))}, 1},
      {{"--", "--lang=en"}, 1},  // a file of that name, which has no known ending
      {{"-s2"}, 2, "No input file was given."},
      {{QString::fromStdString(damaged)}, 3},
      // Slips that must never convert a file they did not clearly name.
      {{"-o", x, song}, 2, "Unknown option -o."},
      {{"--bogus", song}, 2, "Unknown option --bogus."},
      {{song, x, QString::fromStdString(good)}, 2, "Only an input and an output file can be given"},
      {{"-d", "250", song}, 2, "The delay option -d has no whole number"},
      {{"-", song}, 2, "\"-\" is not an option"},
      {{"--lang=fr", song}, 2, "Unknown language in --lang=fr"},
  };
  const std::string songBefore = ReadFile(song.toStdString());
  for (const Case& c : cases) {
    const std::string trace = c.args.join(" ").toStdString();
    QProcess run;
    QStringList args = c.args;
    if (c.status == 2) args.prepend("--lang=en");
    run.start(QString::fromStdString(copy), args);
    ASSERT_TRUE(run.waitForFinished(30000)) << trace;
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), c.status) << trace;
    const std::string err = run.readAllStandardError().toStdString();
    EXPECT_NE(err.find(c.message), std::string::npos) << trace << "\n" << err;
    if (c.status == 2) {
      EXPECT_NE(err.find("\nUsage: tessaro "), std::string::npos) << err;
    }
  }
  EXPECT_EQ(ReadFile(song.toStdString()), songBefore);
  EXPECT_EQ(ReadFile(dir.File("x.wav")), "an older WAV");
  EXPECT_FALSE(FileExists(dir.File("song_aac.wav")));
}

TEST_F(QtWindowTest, CommandLineRunConvertsOnceAndEndsUnsaved) {
  const std::string input = Sample("cmd.aac");
  program = std::make_unique<QtDialogProgram>(dir.Dir(), CommandLine{false, {"-s2", input}},
                                              DefaultConversionRunner(), Language::kJapanese);
  QTimer::singleShot(20000, [&] { program->Window().done(-1); });  // a hang fails, not blocks
  EXPECT_EQ(program->Exec(), kIdCancel);
  EXPECT_TRUE(FileExists(dir.File("cmd_aac.wav")));
  EXPECT_FALSE(FileExists(dir.File("TSR.ini")));
  EXPECT_NE(Text(kIdcInfo).indexOf("入力サイズ："), -1);
}

}  // namespace
}  // namespace tessaro::qt

#include "qt_window_test.moc"
