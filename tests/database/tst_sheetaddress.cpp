// Which texts of a sheet's web-site box reach the desktop's open action, and the address of
// a web search.
#include "archive/WebAddress.h"
#include "support/StorageTest.h"

#include <QtTest>

class TstSheetAddress : public QObject {
    Q_OBJECT
private slots:
    void mailLink_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("link");
        QTest::newRow("address") << " mario.rossi@example.it " << "mailto:mario.rossi@example.it";
        QTest::newRow("empty box") << "" << "mailto:";
        QTest::newRow("headers are left out") << "a@example.it?attach=/etc/passwd&bcc=x@example.com" << "mailto:a@example.it";
        QTest::newRow("only headers") << "?body=x" << "mailto:";
    }
    void mailLink()
    {
        QFETCH(QString, typed);
        QFETCH(QString, link);
        QCOMPARE(QString::fromStdU16String(MailToAddress(typed.toStdU16String())), link);
    }

    void webSiteBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened"); // empty: nothing opens
        QTest::newRow("https address as typed") << "https://www.example.it/a?b=1#c" << "https://www.example.it/a?b=1#c";
        QTest::newRow("http address, blanks around") << "  http://example.it  " << "http://example.it";
        QTest::newRow("scheme in capitals") << "HTTP://Example.it" << "HTTP://Example.it";
        QTest::newRow("ftp address") << "ftp://ftp.example.it/pub" << "ftp://ftp.example.it/pub";
        QTest::newRow("user, port and IPv6") << "http://io@[::1]:8080/x" << "http://io@[::1]:8080/x";
        QTest::newRow("no scheme opens as http") << "www.example.it" << "http://www.example.it";
        QTest::newRow("host and port without scheme") << "example.it:8080/pagina" << "http://example.it:8080/pagina";
        QTest::newRow("a program name is only a host name") << "calc.exe" << "http://calc.exe";
        QTest::newRow("accented host") << "www.città.it" << "http://www.città.it";
        QTest::newRow("bare default https://") << "https://" << "";
        QTest::newRow("bare http://") << "http://" << "";
        QTest::newRow("scheme without slashes") << "http:example.it" << "";
        QTest::newRow("empty host before a path") << "http:///etc/passwd" << "";
        QTest::newRow("file address") << "file:///etc/passwd" << "";
        QTest::newRow("file address in capitals") << "FILE:///C:/Windows/system32/cmd.exe" << "";
        QTest::newRow("windows program") << "C:\\Windows\\System32\\calc.exe" << "";
        QTest::newRow("drive with forward slashes") << "c:/programmi/x.bat" << "";
        QTest::newRow("unix program") << "/usr/bin/xterm" << "";
        QTest::newRow("network share") << "\\\\server\\share\\run.exe" << "";
        QTest::newRow("relative path") << "./run.sh" << "";
        QTest::newRow("home path") << "~/script.sh" << "";
        QTest::newRow("javascript") << "javascript:alert(1)" << "";
        QTest::newRow("mail link") << "mailto:a@example.it" << "";
        QTest::newRow("other scheme") << "smb://server/share" << "";
        QTest::newRow("blank inside the host") << "http://exa mple.it" << "";
        QTest::newRow("control character inside") << QStringLiteral("http://example.it/\u0001x") << "";
    }
    void webSiteBox()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        const std::optional<Text> address = WebAddressToOpen(T(typed));
        QCOMPARE(address.has_value(), !opened.isEmpty());
        if (address)
            QCOMPARE(Q(*address), opened);
    }

    void webSearch_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<QString>("address");
        QTest::newRow("two words, blank kept") << " nome  rosa " << "http://www.google.it/search?q=nome  rosa";
        QTest::newRow("accents and quotes kept") << "perché \"sì\"" << "http://www.google.it/search?q=perché \"sì\"";
        QTest::newRow("characters that would split the query")
            << "C++ & Qt #6 100%" << "http://www.google.it/search?q=C%2B%2B %26 Qt %236 100%25";
    }
    void webSearch()
    {
        QFETCH(QString, phrase);
        QFETCH(QString, address);
        QCOMPARE(Q(WebSearchAddress(T(phrase))), address);
    }
};

QTEST_GUILESS_MAIN(TstSheetAddress)
#include "tst_sheetaddress.moc"
