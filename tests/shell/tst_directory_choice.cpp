// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "common/scripted_server.h"
#include "platform/app_context.h"
#include "shell/server_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

// Choosing the directory from the window: checked as --server checks it, kept for the next
// start, overruled by --server for its run, and offered when a search cannot reach the directory.
class TestDirectoryChoice : public QObject {
    Q_OBJECT

    // Types `host` into the open dialog and presses OK.
    static void choose(QWidget *window, const QString &host)
    {
        auto *dialog = window->findChild<ServerDialog *>(u"frmServer"_s);
        QVERIFY(dialog && dialog->isVisible());
        auto *field = dialog->findChild<QLineEdit *>(u"txtServer"_s);
        field->selectAll();
        QTest::keyClicks(field, host);
        QTest::mouseClick(
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

private Q_SLOTS:
    void init() { openSettings()->remove(u"directory"_s); }

    void chosenAndKept()
    {
        ScriptedServer chosen;
        QVERIFY(chosen.listen());
        chosen.setDefaultScript(Script::reply(Script::httpReply("Cafe<>USEND")));
        MainWindowHarness m(ServerAddress { u"127.0.0.1"_s, ScriptedServer::unusedPort() });
        m.window().chooseServer();
        QCOMPARE(m.window().findChild<QLineEdit *>(u"txtServer"_s)->text(),
            m.context().server.hostHeader());
        // A bad host is refused as the command line refuses it, and nothing is kept.
        choose(&m.window(), u"bad host:99999"_s);
        QCOMPARE(m.boxes().titles(), QStringList { u"Error"_s });
        QCOMPARE(m.boxes().boxes[0].text,
            u"'bad host:99999' is not a HOST or HOST:PORT address (a port is 1 to 65535)"_s);
        QVERIFY(!openSettings()->contains(u"directory/server"_s));

        const QString address = u"127.0.0.1:%1"_s.arg(chosen.address().port);
        choose(&m.window(), address);
        QTRY_VERIFY(!m.window().findChild<ServerDialog *>(u"frmServer"_s));
        QCOMPARE(m.control<QLabel>(u"Label1_2"_s)->text(), u"http://"_s + address);
        m.fill(u"Germany"_s);
        QVERIFY(m.search());
        QCOMPARE(chosen.request(0).split(' ').value(1), "/browse-app.php?country=DE");
        // The next start searches it too.
        m.reopen();
        QCOMPARE(m.context().server.hostHeader(), address);
    }

    // --server names the directory for its run: the dialog says so and keeps the choice for
    // the next start only.
    void commandLineWins()
    {
        RecordedBoxes boxes;
        QTemporaryDir data;
        const ServerAddress given { u"127.0.0.1"_s, 8080 };
        frmMain window(AppContext { given, data.path(), binDir(), {}, true }, shippedCountries(),
            parseLocationTypes("Airport,AIR\r\n").table);
        window.chooseServer();
        auto *note = window.findChild<QLabel *>(u"lblCommandLine"_s);
        QVERIFY(note);
        QVERIFY(note->text().contains(u"127.0.0.1:8080, named on the command line"_s));
        choose(&window, u"directory.example:81"_s);
        QCOMPARE(window.context().server.hostHeader(), u"127.0.0.1:8080"_s);
        QCOMPARE(
            openSettings()->value(u"directory/server"_s).toString(), u"directory.example:81"_s);
    }

    // A directory out of reach names itself and offers the dialog; the rows stay.
    void unreachableOffersTheDialog()
    {
        const std::string previous = resultFileText(2);
        const quint16 port = ScriptedServer::unusedPort();
        MainWindowHarness m(ServerAddress { u"127.0.0.1"_s, port }, &previous);
        m.boxes().answer = QMessageBox::Yes;
        m.fill(u"Germany"_s);
        QVERIFY(!m.search());
        QCOMPARE(m.boxes().boxes.size(), 1);
        QCOMPARE(m.boxes().boxes[0].text,
            u"The directory server 127.0.0.1:%1 refused the connection.\r\n\r\nChoose another "
            "directory server?"_s.arg(port));
        QVERIFY(m.window().findChild<ServerDialog *>(u"frmServer"_s));
        QCOMPARE(m.list()->rowCount(), 2);
    }
};

QTEST_MAIN(TestDirectoryChoice)
#include "tst_directory_choice.moc"
