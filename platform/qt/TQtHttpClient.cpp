#include "platform/qt/TQtHttpClient.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include "common/Numbers.h"
#include "platform/qt/QtText.h"

namespace druv {

TQtHttpClient::TQtHttpClient(std::string userAgent, int timeoutMs)
    : UserAgent_(std::move(userAgent)), TimeoutMs_(timeoutMs), Manager_(std::make_unique<QNetworkAccessManager>()) {}

TQtHttpClient::~TQtHttpClient() = default;

void TQtHttpClient::Abort() {
  if (!Running_) return;
  AbortAsked_ = true;
  Running_->abort();
}

void TQtHttpClient::GetToFile(const std::string& url, const std::string& path) {
  const QString filePath = ToQString(path);
  // Whatever happens, no partial or stale file stays under the tile's name.
  auto fail = [&](const std::string& why) {
    QFile::remove(filePath);
    throw Error("Could not fetch " + url + ": " + why);
  };
  if (Running_) throw Error("Could not fetch " + url + ": another download is still running.");

  const QUrl address(ToQString(url), QUrl::StrictMode);
  const QString scheme = address.scheme().toLower();
  if (!address.isValid() || address.host().isEmpty() || (scheme != "http" && scheme != "https"))
    fail("not an http or https address.");

  // The body goes to a temporary file that replaces path only once it is complete; an
  // uncommitted one is removed when `file` goes.
  QSaveFile file(filePath);
  if (!file.open(QIODevice::WriteOnly)) {
    QFile::remove(filePath);
    throw Error("Cannot create file " + path + ". " + FromQString(file.errorString()));
  }

  QNetworkRequest request(address);
  request.setHeader(QNetworkRequest::UserAgentHeader, ToQString(UserAgent_));
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

  QEventLoop loop;
  QTimer silence;  // restarted by every chunk: a slow but live reply is not cut off
  silence.setSingleShot(true);
  silence.setInterval(TimeoutMs_);
  bool timedOut = false, writeFailed = false;
  qint64 received = 0;

  QNetworkReply* reply = Manager_->get(request);
  Running_ = reply;
  AbortAsked_ = false;
  auto store = [&] {
    if (!reply->isOpen()) return;  // aborted
    const QByteArray chunk = reply->readAll();
    received += chunk.size();
    if (!writeFailed && file.write(chunk) != chunk.size()) {
      writeFailed = true;
      reply->abort();
    }
  };
  QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
    silence.start();
    store();
  });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&silence, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
  });
  silence.start();
  if (!reply->isFinished()) loop.exec();
  silence.stop();
  Running_ = nullptr;
  store();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
  const QNetworkReply::NetworkError error = reply->error();
  const std::string errorText = FromQString(reply->errorString());
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  // A compressed body is inflated on the way in, so its length header counts other bytes.
  const bool encoded = !reply->rawHeader("Content-Encoding").isEmpty();
  reply->deleteLater();

  if (AbortAsked_) {
    QFile::remove(filePath);
    throw TCancelledError();
  }
  if (timedOut) fail("no answer from the server within " + FormatGeneral(TimeoutMs_ / 1000.0) + " s.");
  if (writeFailed) fail("cannot write " + path + ". " + FromQString(file.errorString()));
  if (status != 0 && (status < 200 || status > 299))
    fail("the server answered " + FormatInt(status) + (reason.isEmpty() ? "" : " " + FromQString(reason)) + ".");
  if (length.isValid() && !encoded && length.toLongLong() != received)
    fail("the reply ended after " + FormatInt(received) + " of " + FormatInt(length.toLongLong()) + " bytes.");
  if (error != QNetworkReply::NoError) fail(errorText + ".");
  if (status == 0) fail("the server sent no HTTP reply.");
  if (!file.commit()) fail("cannot write " + path + ". " + FromQString(file.errorString()));
}

}  // namespace druv
