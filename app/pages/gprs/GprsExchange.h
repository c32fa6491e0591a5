#pragma once
// The GPRS page's exchange with the unit, on the worker thread: the data call's number, access
// point, user and secret word, the server's address, port and identification word, the modem
// restart time, and from 503.48 GPRS on/off with the online time and the alert phone with its
// channel. One request per setting; its label turns blue or red; a value is shown only when its
// request succeeded.
//
// Mended: a restart time or alert channel with no item chosen sends nothing (an index of -1 would
// send a time the list does not hold) and marks its label red.

#include <string>

class TPageLink;

// The page's values as the writer takes them (on the user-interface thread).
struct TGprsValues {
    std::string DialNumber = "*99#";
    std::string AccessPoint;
    std::string UserName;
    std::string UserPassword;
    std::string ServerAddress;
    std::string ServerPort;
    std::string ServerPassword;
    int RestartItem = 0;   // of the restart time list, -1 for none
    int RestartFirst = 10; // minutes of the list's first item
    bool GprsOn = false;
    std::string OnlineTime = "00120";
    std::string AlertPhone;
    int AlertItem = 0; // the alert channel, -1 for none
};

// `restartFirst`: minutes of the restart time list's first item (taken on the user-interface
// thread).
void ReadGprsPage(TPageLink& link, int restartFirst);
// Raises EConvertError when the port is no number, ending the write.
void WriteGprsPage(TPageLink& link, const TGprsValues& values);
