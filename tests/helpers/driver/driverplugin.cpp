// A plugin the real program loads in tests (QT_QPA_GENERIC_PLUGINS=mindorradriver with this
// folder's parent on QT_PLUGIN_PATH). It reads commands from the program's standard input,
// works the program's widgets as a user would, and answers on standard output, one line per
// command ("ok ..." or "error ..."):
//   windows            the captions of the model windows, tab-separated, after the count
//   wait-windows N     the same, once at least N model windows are open
//   wait-exactly N     the same, once exactly N are open and no dialog is shown
//   click-centre       a left click in the middle of the active model's drawing surface
//   key NAME           a key press on that surface (Delete, Escape)
//   close-active       asks the active model window to close (answers at once)
//   modal              the text of the message box once one is shown ("\n" as "\\n")
//   answer CAPTION     clicks the message box's button of that caption
//   save-as PATH       chooses PATH in the file dialog once one is shown
//   quit               closes the main window
#include <unistd.h>
#include <QApplication>
#include <QFileDialog>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

class TDriver : public QObject {
 public:
  TDriver() : input_(STDIN_FILENO, QSocketNotifier::Read)
  {
    connect(&input_, &QSocketNotifier::activated, this, &TDriver::ReadInput);
  }

 private:
  void ReadInput()
  {
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
      input_.setEnabled(false);
      return;
    }
    buffer_.append(chunk, n);
    qsizetype end;
    while ((end = buffer_.indexOf('\n')) >= 0) {
      const QString line = QString::fromUtf8(buffer_.left(end)).trimmed();
      buffer_.remove(0, end + 1);
      Run(line);
    }
  }

  static void Reply(const QString& text)
  {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
  }

  // Runs `done` once `ready` holds, looking again every 20 ms.
  void When(std::function<bool()> ready, std::function<void()> done)
  {
    if (ready()) {
      done();
      return;
    }
    QTimer::singleShot(20, this, [this, ready, done] { When(ready, done); });
  }

  static QMdiArea* Area()
  {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* main = qobject_cast<QMainWindow*>(top))
        if (auto* area = main->findChild<QMdiArea*>()) return area;
    return nullptr;
  }

  static QList<QMdiSubWindow*> Windows()
  {
    QList<QMdiSubWindow*> windows;
    if (QMdiArea* area = Area())
      for (QMdiSubWindow* window : area->subWindowList())
        if (!window->isHidden()) windows << window;
    return windows;
  }

  static QString Captions()
  {
    QStringList captions;
    for (QMdiSubWindow* window : Windows())
      captions << window->widget()->windowTitle();
    return QStringLiteral("ok %1\t%2").arg(captions.size()).arg(captions.join(QLatin1Char('\t')));
  }

  static QWidget* Surface()
  {
    QMdiArea* area = Area();
    QMdiSubWindow* window = area ? area->currentSubWindow() : nullptr;
    if (!window) return nullptr;
    for (QWidget* child : window->widget()->findChildren<QWidget*>())
      if (QLatin1String(child->metaObject()->className()) == QLatin1String("TModelPaintBox"))
        return child;
    return nullptr;
  }

  template <typename T>
  static T* Modal()
  {
    return qobject_cast<T*>(QApplication::activeModalWidget());
  }

  void Run(const QString& line)
  {
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString argument = line.section(QLatin1Char(' '), 1);
    if (command == QLatin1String("windows")) {
      Reply(Captions());
    } else if (command == QLatin1String("wait-windows")) {
      const int count = argument.toInt();
      When([count] { return Windows().size() >= count; }, [] { Reply(Captions()); });
    } else if (command == QLatin1String("wait-exactly")) {
      const int count = argument.toInt();
      When([count] { return Windows().size() == count && !QApplication::activeModalWidget(); },
           [] { Reply(Captions()); });
    } else if (command == QLatin1String("click-centre")) {
      QWidget* surface = Surface();
      if (!surface) return Reply(QStringLiteral("error no model window"));
      QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
      Reply(QStringLiteral("ok"));
    } else if (command == QLatin1String("key")) {
      QWidget* surface = Surface();
      if (!surface) return Reply(QStringLiteral("error no model window"));
      const Qt::Key key = argument == QLatin1String("Delete") ? Qt::Key_Delete : Qt::Key_Escape;
      QTest::keyClick(surface, key);
      Reply(QStringLiteral("ok"));
    } else if (command == QLatin1String("close-active")) {
      QMdiArea* area = Area();
      QMdiSubWindow* window = area ? area->currentSubWindow() : nullptr;
      if (!window) return Reply(QStringLiteral("error no model window"));
      // The close question runs its own loop; this command answers before it.
      QTimer::singleShot(0, window, [window] { window->close(); });
      Reply(QStringLiteral("ok"));
    } else if (command == QLatin1String("modal")) {
      When([] { return Modal<QMessageBox>() != nullptr; },
           [] {
             QString text = Modal<QMessageBox>()->text();
             Reply(QStringLiteral("ok ") + text.replace(QLatin1Char('\n'), QLatin1String("\\n")));
           });
    } else if (command == QLatin1String("answer")) {
      QMessageBox* box = Modal<QMessageBox>();
      if (!box) return Reply(QStringLiteral("error no message box"));
      for (QAbstractButton* button : box->buttons())
        if (button->text().remove(QLatin1Char('&')) == argument) {
          Reply(QStringLiteral("ok"));
          QTimer::singleShot(0, button, [button] { button->click(); });
          return;
        }
      Reply(QStringLiteral("error no button ") + argument);
    } else if (command == QLatin1String("save-as")) {
      When([] { return Modal<QFileDialog>() != nullptr; },
           [argument] {
             QFileDialog* dialog = Modal<QFileDialog>();
             dialog->selectFile(argument);
             // The name box decides what is accepted; it may still show the name offered.
             if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
               name->setText(argument);
             Reply(QStringLiteral("ok"));
             QTimer::singleShot(0, dialog,
                                [dialog] { QMetaObject::invokeMethod(dialog, "accept"); });
           });
    } else if (command == QLatin1String("quit")) {
      Reply(QStringLiteral("ok"));
      for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(top))
          QTimer::singleShot(0, main, [main] { main->close(); });
    } else {
      Reply(QStringLiteral("error unknown command ") + command);
    }
  }

  QSocketNotifier input_;
  QByteArray buffer_;
};

}  // namespace

class TDriverPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driverplugin.json")

 public:
  QObject* create(const QString&, const QString&) override { return new TDriver; }
};

#include "driverplugin.moc"
