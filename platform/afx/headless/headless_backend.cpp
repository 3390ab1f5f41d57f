#include "platform/afx/headless/headless_backend.h"

#include <cstdio>

#include "platform/afx/app.h"
#include "platform/afx/dialog.h"

namespace afx::headless {
namespace {

bool AsksYesNo(UINT type) {
    return (type & MB_TYPEMASK) == MB_YESNO;
}

// A box can only return one of its own buttons.
bool Offers(UINT type, int answer) {
    return AsksYesNo(type) ? (answer == IDYES || answer == IDNO) : answer == IDOK;
}

}  // namespace

HeadlessBackend::HeadlessBackend() : previous_(&CurrentBackend()) {
    SetBackend(this);
}

HeadlessBackend::~HeadlessBackend() {
    SetBackend(previous_);
}

void HeadlessBackend::SetDriver(std::function<void(HeadlessDialog&)> driver) {
    driver_ = std::move(driver);
}

void HeadlessBackend::AnswerNext(int answer) {
    answers_.push_back(answer);
}

std::unique_ptr<DialogPeer> HeadlessBackend::CreateDialogPeer(const DialogTemplate& dialog,
                                                              DialogSink& sink) {
    return std::make_unique<HeadlessDialog>(*this, dialog, sink);
}

int HeadlessBackend::MessageBox(const std::string& text, const std::string& caption, UINT type) {
    // Closing a box without choosing answers OK, or No when it asks a question.
    int answer = AsksYesNo(type) ? IDNO : IDOK;
    if (!answers_.empty()) {
        const int scripted = answers_.front();
        answers_.pop_front();
        if (Offers(type, scripted)) {
            answer = scripted;
        } else {
            // A script that answers with a button the box lacks is a mistake in the test.
            std::fprintf(stderr, "headless: box \"%s\" has no button for answer %d\n", text.c_str(),
                         scripted);
        }
    }
    boxes_.push_back({text, caption, type, answer});
    return answer;
}

}  // namespace afx::headless
