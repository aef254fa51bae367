#pragma once
// One window per program folder. Two windows on one folder would fight over
// its database (the second could only say that the database is open), so a
// second start hands over to the first: it asks the running window, through a
// local socket named after the folder, to come forward, and ends. Other
// folders have other names and run side by side.

#include <QLocalServer>
#include <QObject>
#include <QString>

class QWidget;

namespace tw {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& programDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket's name for a program folder: the same for every spelling of
    // the folder (links, "..", a trailing slash), different for each folder
    // and each user.
    static QString serverName(const QString& programDir);

    // True when a window of this folder runs and was asked to come forward.
    bool forwardToRunning();
    // Listens for later starts; a socket left by a killed window is replaced.
    // False when the socket cannot be made: this window then runs alone.
    bool listen();
    // Stops listening and removes the socket (before the program ends).
    void close();
    const QString& name() const { return name_; }

    // Shows `window` on top, restored if it was minimized.
    static void bringForward(QWidget& window);

  signals:
    // Another start of this folder asked the window to come forward.
    void activationRequested();

  private:
    void acceptConnections();

    QString name_;
    QLocalServer server_;
};

}  // namespace tw
