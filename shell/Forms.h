// The program-wide references to the seven windows, set while they exist.
#pragma once

namespace jadeleaf {

class TForm1;
class TCalendarForm;
class TAboutBox;
class TPrefDlg1;
class TResDlg1;
class TInfoForm;
class TEndDlg1;

inline TForm1* Form1 = nullptr;
inline TCalendarForm* CalendarForm = nullptr;
inline TAboutBox* AboutBox = nullptr;
inline TPrefDlg1* PrefDlg1 = nullptr;
inline TResDlg1* ResDlg1 = nullptr;
inline TInfoForm* InfoForm = nullptr;
inline TEndDlg1* EndDlg1 = nullptr;

}  // namespace jadeleaf
