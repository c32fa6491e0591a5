#include "app/pages/phones/PhonesExchange.h"

#include "app/pages/PageLink.h"
#include "device/DevQuorvan.h"

const char* const PhoneGridName = "SG1";

void ReadPhonesPage(TPageLink& link) {
    TDevQuorvan& dev = link.Device();
    bool on = false;
    const bool read = dev.GetServicePhonesEnabled(on);
    if (read)
        link.Show("cbPhones", on ? "true" : "false");
    link.Mark("lbPhones", read);
    for (int n = 0; n < ServicePhoneCount; ++n) {
        std::string number;
        if (dev.GetServicePhone(n, number))
            link.ShowCell(PhoneGridName, PhoneColumn, n + 1, number);
    }
}

void WritePhonesPage(TPageLink& link, TPhonesValues values) {
    TDevQuorvan& dev = link.Device();
    if (values.Enabled && NoPhoneNumbers(values.Numbers)) {
        values.Enabled = false;
        link.Show("cbPhones", "false");
    }
    link.Mark("lbPhones", dev.SetServicePhonesEnabled(values.Enabled));
    for (int n = 0; n < ServicePhoneCount; ++n)
        dev.SetServicePhone(n, values.Numbers[static_cast<size_t>(n)]);
}
