#pragma once

#include "components/CommandHost.h"
#include "components/ComponentSet.h"
#include "platform/InstanceMessage.h"

#include <QString>

// The main window's side of the messages between instances: open-page, print
// and "is this file shown" requests by copy-data, the print request it posts
// to itself (1224) and the answer to its own query (1225).
class TInstanceMessages {
public:
    TInstanceMessages(TCommandHost& host, TComponentSet& components);

    void CopyData(TWindowHandle sender, const RInstanceMessage& message);
    void Message(quint32 message, quint64 wParam, qint64 lParam);

    // The last page command run for another instance, or the file to print.
    const QString& RequestText() const { return requestText_; }
    // The answer to this window's own query; the asking side clears it first.
    bool ReplyReceived() const { return replyReceived_; }
    bool ReplyYes() const { return replyYes_; }
    void ClearReply();

private:
    bool HasHtmlPanel() const;
    void OpenPage(TWindowHandle sender, const QString& page);
    void ShowPageOnScreen(const QString& page);
    void PrintFile(const RInstanceMessage& message);
    void AnswerShown(TWindowHandle sender, const RInstanceMessage& message);
    void PrintRequested();

    TCommandHost& host_;
    TComponentSet& components_;
    QString requestText_;
    bool replyReceived_ = false;
    bool replyYes_ = false;
};
