// Non-client protocol. Provisional: no frame; the client area is the whole window.
#include "win/nonclient.h"

namespace tappomat {

std::optional<LRESULT> DefNonClientProc(HWND, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_NCCALCSIZE:
      return 0;  // rgrc[0] stays: client = window
    case WM_NCHITTEST:
      return HTCLIENT;
  }
  return std::nullopt;
}

}  // namespace tappomat
