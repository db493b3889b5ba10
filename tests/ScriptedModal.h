// Modal windows for tests: every message box and dialog is recorded and
// answered from a script at once.
#pragma once

#include <QPoint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/ModalService.h"

namespace jadeleaf::test {

class ScriptedModal final : public ModalService {
public:
    struct Message {
        std::string caption;
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
    };
    struct Dialog {
        std::string name;
        QPoint position;
    };

    std::vector<Message> messages;
    std::vector<Dialog> dialogs;
    // Answers to the Yes/No questions in order; No when none is left.
    std::deque<MessageAnswer> answers;
    std::function<void(QDialog&)> onDialog;

    MessageAnswer ShowMessage(QWidget* parent, std::string_view caption, std::string_view text, MessageIcon icon,
                              MessageButtons buttons) override;
    int ExecDialog(QDialog& dialog) override;
    int Count(const std::string& name) const;
};

}  // namespace jadeleaf::test
