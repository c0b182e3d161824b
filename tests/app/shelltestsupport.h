// What the main-window tests share: a dialog service that answers from a script and records
// every question, and a fixture that gives each test its own configuration, state, data and
// home folders before anything reads settings, and starts the main window in-process.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "app/dialogs/dialogservice.h"
#include "app/mainform.h"
#include "app/modelform.h"
#include "app/settings/settingsstore.h"
#include "document/modeldocument.h"
#include "io/iotestsupport.h"
#include "io/modelfile.h"

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out)
{
  *out << '{' << list.join(QStringLiteral("; ")).toStdString() << '}';
}

namespace shelltest {

class TScriptedDialogs : public IDialogService {
 public:
  struct TAsked {
    QString What;  // "message", "ask", "input", "open", "save", "colour" or "folder"
    QString Title;
    QString Text;
  };

  std::vector<TAsked> asked;
  std::vector<TFileRequest> fileRequests;
  std::deque<TAnswer> answers;
  std::deque<std::optional<QString>> saveNames;
  std::deque<std::optional<TFileChoice>> openChoices;
  std::deque<std::optional<QString>> inputs;
  int beeps = 0;

  QStringList Texts(const QString& what) const
  {
    QStringList texts;
    for (const TAsked& a : asked)
      if (a.What == what) texts << a.Text;
    return texts;
  }
  int Count(const QString& what) const { return static_cast<int>(Texts(what).size()); }
  void Forget()
  {
    asked.clear();
    fileRequests.clear();
    beeps = 0;
  }

  void Beep(TBeep) override { ++beeps; }

 protected:
  void DoMessage(TBoxKind, const QString& title, const QString& text) override
  {
    asked.push_back({QStringLiteral("message"), title, text});
  }
  TAnswer DoAsk(TBoxKind, const QString& title, const QString& text, TButtons) override
  {
    asked.push_back({QStringLiteral("ask"), title, text});
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text.toStdString();
      return TAnswer::Cancel;
    }
    const TAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> DoInputText(const QString& title, const QString& prompt,
                                     const QString&) override
  {
    asked.push_back({QStringLiteral("input"), title, prompt});
    return Next(inputs, prompt);
  }
  std::optional<TFileChoice> DoOpenFiles(const TFileRequest& request) override
  {
    asked.push_back({QStringLiteral("open"), request.Title, QString()});
    fileRequests.push_back(request);
    return Next(openChoices, request.Title);
  }
  std::optional<QString> DoSaveFile(const TFileRequest& request) override
  {
    asked.push_back({QStringLiteral("save"), request.Title, request.FileName});
    fileRequests.push_back(request);
    return Next(saveNames, request.Title);
  }
  std::optional<TColorRef> DoChooseColour(const QString& title, TColorRef) override
  {
    asked.push_back({QStringLiteral("colour"), title, QString()});
    return std::nullopt;
  }
  std::optional<QString> DoChooseFolder(const QString& caption, const QString&) override
  {
    asked.push_back({QStringLiteral("folder"), caption, QString()});
    return std::nullopt;
  }

 private:
  template <typename T>
  std::optional<T> Next(std::deque<std::optional<T>>& queue, const QString& what)
  {
    if (queue.empty()) {
      ADD_FAILURE() << "unexpected dialog: " << what.toStdString();
      return std::nullopt;
    }
    const bool answered = queue.front().has_value();
    T value = answered ? *queue.front() : T();
    queue.pop_front();
    if (!answered) return std::nullopt;
    return value;
  }
};

class TShellTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(dir.isValid());
    for (const char* name : kVariables)
      saved.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                      : std::nullopt);
    qputenv("HOME", Path(QStringLiteral("home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", Path(QStringLiteral("state")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", Path(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", Path(QStringLiteral("cache")).toLocal8Bit());
    QDir().mkpath(Path(QStringLiteral("home")));
    QDir().mkpath(Path(QStringLiteral("models")));
  }

  void TearDown() override
  {
    main.reset();
    for (std::size_t i = 0; i < std::size(kVariables); ++i)
      if (saved[i])
        qputenv(kVariables[i], *saved[i]);
      else
        qunsetenv(kVariables[i]);
  }

  QString Path(const QString& name) const { return dir.filePath(name); }
  QString ModelPath(const QString& name) const { return Path(QStringLiteral("models/") + name); }
  QString Documents() const { return Path(QStringLiteral("home/Documents")); }
  QString RecoveryFolder() const { return Path(QStringLiteral("state/mindorra/recovery")); }

  // A model file with `cogis` hexagons in a row.
  QString MakeModel(const QString& name, int cogis = 1)
  {
    TModelDocument document;
    for (int i = 0; i < cogis; ++i)
      iotest::AddCogi(document, 2 + i, 2);
    const QString path = ModelPath(name);
    TModelFile::SaveModelFile(document, path);
    return path;
  }

  // Settings as a hand would write them, before the program starts.
  void WriteSettings(const QString& text)
  {
    const QString path = TSettingsStore::FilePath(TSettingRoot::Program);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    // Settings files are cached by size and time to the millisecond: a rewrite within the
    // same millisecond must differ in size to be read again.
    file.write(text.toUtf8() + "\n;" + QByteArray(++settingsWrites, '-') + '\n');
  }

  // The program as the desktop starts it, up to the end of the load step.
  TMainForm& Start(const QStringList& files = {})
  {
    main = std::make_unique<TMainForm>(dialogs);
    main->SetStartFiles(files);
    main->show();
    main->RunLoadStep();
    return *main;
  }

  // Exit, which must be allowed, then a start again.
  TMainForm& Restart(const QStringList& files = {})
  {
    EXPECT_TRUE(main->close());
    main.reset();
    return Start(files);
  }

  QStringList Captions() const
  {
    QStringList captions;
    for (TModelForm* form : main->Models())
      captions << form->Caption();
    return captions;
  }

  // A recorded edit, as a tool leaves it.
  static void Edit(TModelForm& form)
  {
    iotest::AddCogi(form.Document(), 5, 5);
    form.Document().ChangePending = true;
    form.Document().RecordUndo(QStringLiteral("Create Shapes"));
  }

  static constexpr const char* kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME",
                                               "XDG_DATA_HOME", "XDG_CACHE_HOME"};
  QTemporaryDir dir;
  std::vector<std::optional<QByteArray>> saved;
  int settingsWrites = 0;
  TScriptedDialogs dialogs;
  std::unique_ptr<TMainForm> main;
};

}  // namespace shelltest
