#!/usr/bin/python3
# Rebuilds ConnectTranslationData.bin: the connect dialog's stored translation table, from its
# published layout (CR LF lines in Windows-1251, byte 1 between fields). Independent of our code.
D = '\x01'


def entry(key, *texts):
    return key + D + D.join(texts) + D


lines = ["stCaptions",
         entry("TdlgConnect", "Подключение к Quorvan2", "Connect to Quorvan2"),
         entry("CancelBtn", "Cancel", "Cancel"),
         entry("Label1", "Com-порт:", "Com-port:"),
         entry("Label2", "Номер телефона:", "Phone number:"),
         entry("Label3", "Тип и параметры подключения:", "Connection type and parameters:"),
         entry("Label4", "Ждать регистрации в сети GSM?", "Wait for registration in GSM network?"),
         entry("OKBtn", "OK", "OK"),
         entry("rb1", "Кабель программирования", "Programming cable"),
         entry("rb2", "GSM - модем", "CSM-modem"),
         "stHints", entry("rb1", "true", "true"), entry("rb2", "false", "false"),
         "stDisplayLabels", "stFonts", entry("TdlgConnect", "Tahoma", "Tahoma"),
         "stMultiLines", "stDlgsCaptions"]
words = [("Abort", "&Abort"), ("All", "&All"), ("Cancel", "Cancel"), ("Confirm", "Confirm"),
         ("Error", "Error"), ("Help", "&Help"), ("Ignore", "&Ignore"),
         ("Information", "Information"), ("No", "&No"), ("No To All", "N&o to All"), ("OK", "OK"),
         ("Retry", "&Retry"), ("Warning", "Warning"), ("Yes", "&Yes"),
         ("Yes To All", "Yes to &All")]
lines += [entry(k, v, v) for k, v in words]
lines += ["stStrings", "stOtherStrings", "stLocales", "stCollections", "stCharSets",
          entry("TdlgConnect", "DEFAULT_CHARSET", "DEFAULT_CHARSET")]
data = b''.join(line.encode('cp1251') + b'\r\n' for line in lines)
assert len(data) == 986
open(__file__.replace('make_translation_data.py', 'ConnectTranslationData.bin'), 'wb').write(data)
