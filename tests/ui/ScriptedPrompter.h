#pragma once

#include <deque>
#include <vector>

#include "toolkit/Prompter.h"

// Answers prompts from queues filled by the test and records every message shown.
// With an empty queue a message is answered No when it asks, else Ok, and a dialog is
// cancelled.
class ScriptedPrompter : public TPrompter {
public:
    struct Shown {
        QString caption;
        QString text;
        TPromptButtons buttons;
    };

    ScriptedPrompter() { SetPrompter(this); }
    ~ScriptedPrompter() override { SetPrompter(nullptr); }

    std::deque<TPromptAnswer> answers;
    std::deque<TSaveFileAnswer> saveAnswers;
    std::deque<QColor> colors;
    std::deque<QString> folders;
    std::deque<QString> openAnswers;
    std::vector<QStringList> openFilters;
    std::vector<Shown> shown;
    std::vector<TSaveFileRequest> saveRequests;

    TPromptAnswer Message(QWidget*, const QString& caption, const QString& text,
                          TPromptButtons buttons) override {
        shown.push_back({caption, text, buttons});
        if (answers.empty())
            return buttons == TPromptButtons::YesNo ? TPromptAnswer::No : TPromptAnswer::Ok;
        TPromptAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    TSaveFileAnswer SaveFile(QWidget*, const TSaveFileRequest& request) override {
        saveRequests.push_back(request);
        if (saveAnswers.empty()) return {};
        TSaveFileAnswer a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    bool ChooseColor(QWidget*, QColor& color) override {
        if (colors.empty()) return false;
        color = colors.front();
        colors.pop_front();
        return true;
    }
    bool ChooseFolder(QWidget*, const QString&, QString& folder) override {
        if (folders.empty()) return false;
        folder = folders.front();
        folders.pop_front();
        return true;
    }
    // Answers with the next of openAnswers; the filters asked with are kept in openFilters.
    bool OpenFile(QWidget*, const QString&, const QStringList& filters, QString& path) override {
        openFilters.push_back(filters);
        if (openAnswers.empty()) return false;
        path = openAnswers.front();
        openAnswers.pop_front();
        return true;
    }
};
