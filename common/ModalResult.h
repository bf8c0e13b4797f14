// Modal results, as the product's dialogs and boxes end. No platform calls.
#pragma once

namespace tarvix {

enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrYes = 6,
    mrNo = 7,
    mrYesToAll = 10,
};

} // namespace tarvix
