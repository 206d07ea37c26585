#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// A report server on the loopback address for one test: answers GET requests
// for the paths it holds with their bytes, any other path with 404, and in
// silent mode never answers at all.
class LoopbackHttpServer : public QObject
{
public:
    LoopbackHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Answer(socket); });
        });
    }

    quint16 Port() const { return m_server.serverPort(); }
    void Serve(const QString& path, const QByteArray& body) { m_files.insert(path, body); }
    void SetSilent(bool silent) { m_silent = silent; }
    int Requests() const { return m_requests; }

    QUrl Url(const QString& path) const
    {
        QUrl url;
        url.setScheme(QStringLiteral("http"));
        url.setHost(QStringLiteral("127.0.0.1"));
        url.setPort(Port());
        url.setPath(path);
        return url;
    }

private:
    void Answer(QTcpSocket* socket)
    {
        m_buffer[socket] += socket->readAll();
        if (!m_buffer[socket].contains("\r\n\r\n"))
            return;
        ++m_requests;
        if (m_silent)
            return;
        const QList<QByteArray> request = m_buffer.take(socket).split(' ');
        const QString path = request.size() > 1 ? QUrl::fromPercentEncoding(request[1]) : QString();
        const bool found = m_files.contains(path);
        const QByteArray body = found ? m_files.value(path) : QByteArray("not found");
        socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n")
                      + QByteArray("Content-Type: application/json\r\nConnection: close\r\nContent-Length: ")
                      + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QString, QByteArray> m_files;
    QHash<QTcpSocket*, QByteArray> m_buffer;
    bool m_silent = false;
    int m_requests = 0;
};
