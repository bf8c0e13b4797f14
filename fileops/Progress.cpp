#include "Progress.h"

namespace tarvix {

TFormProgress::TFormProgress() = default;
TFormProgress::~TFormProgress() = default;
void TFormProgress::SetCaption(const std::string&) {}
void TFormProgress::SetSourceGroupCaption(const std::string&) {}
void TFormProgress::SetDestinationGroupCaption(const std::string&) {}
void TFormProgress::SetSource(const std::string&) {}
void TFormProgress::SetDestination(const std::string&) {}
std::string TFormProgress::Source() const {
    return std::string();
}
std::string TFormProgress::Destination() const {
    return std::string();
}
void TFormProgress::SetMax(int) {}
void TFormProgress::Step() {}
int TFormProgress::Position() const {
    return 0;
}
void TFormProgress::Show() {}
void TFormProgress::RepaintWindow() {}
void TFormProgress::RepaintSource() {}
void TFormProgress::RepaintDestination() {}
void TFormProgress::RepaintProgressBar() {}
bool TFormProgress::TransferObject(bool) {
    return true;
}
void TFormProgress::CopyMoveAs(const std::vector<std::string>&, bool) {}

} // namespace tarvix
