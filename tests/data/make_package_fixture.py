#!/usr/bin/env python3
"""Writes the small study package fixture and the files the test client must derive from it.

The expected files are spelled out here by hand from the package rules (they are not produced
by the programs), so the loader's tests compare against an independent statement of the result.
Run again after changing the package; it rewrites package_basic/.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent / "package_basic"

PICS = "http://127.0.0.1:8080/pictures/sample"

# The server's reply as it travels: code page 949, CR LF line breaks.
REPLY_LINES = [
    "<RESULT>OK</RESULT>",
    "<SUBJECT>중학 영문법 3단원: 현재완료</SUBJECT>",
    "<UID>student01</UID>",
    "<SNO>77</SNO>",
    "<IDKEY>1203</IDKEY>",
    "<TESTIDKEY>5501</TESTIDKEY>",
    "<CUTLINE>60</CUTLINE>",
    "<QCOUNT>",  # the count on its own line: must still read as 4
    "4",
    "</QCOUNT>",
    "<QLIST>",  # the break right behind <QLIST> makes an empty first line
    "1,have been",
    "2,went",
    "3,gone",
    "4,O",
    "5,뒤에 남는 줄",
    "</QLIST>",
    f"<QDATA>1={PICS}/q1.png@@@BR@@@2={PICS}/q2.png",
    f"4={PICS}/q4.png?size=big&v=2</QDATA>",
    "<Q1>1|3|0</Q1>",
    "<Q2>2|went",
    "gone|1</Q2>",
    "<Q3>3| 2,4 |0 </Q3>",
    "<Q4>4|o|1|참/거짓</Q4>",
]
REPLY = "\r\n".join(REPLY_LINES) + "\r\n"

EXPECTED = {
    "TempImg.txt": [f"1={PICS}/q1.png", f"2={PICS}/q2.png", f"4={PICS}/q4.png?size=big&v=2"],
    "MyQList.txt": ["", "1,have been", "2,went", "3,gone", "4,O", "5,뒤에 남는 줄"],
    "TempQData.txt": ["1|3|0", "2|went@@gone|1", "3| 2,4 |0 ", "4|o|1|참/거짓", "4,O",
                      "5,뒤에 남는 줄"],
}


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


def main():
    (HERE / "media").mkdir(parents=True, exist_ok=True)
    (HERE / "expected").mkdir(parents=True, exist_ok=True)
    (HERE / "reply_cp949.txt").write_bytes(REPLY.encode("cp949"))
    # What the launcher stores: the same text in UTF-8, no byte-order mark.
    (HERE / "media" / "MyDataStudy.txt").write_bytes(REPLY.encode("utf-8"))
    for name, lines in EXPECTED.items():
        (HERE / "expected" / name).write_bytes(crlf(lines).encode("cp949"))
    # The run log after loading: "Memo1", the package text line by line, the empty line its
    # final break leaves, then the question count.
    runlog = crlf(["Memo1"] + REPLY_LINES + ["", "-- 총 문제수=4"])
    (HERE / "expected" / "runlog.txt").write_bytes(runlog.encode("cp949"))


if __name__ == "__main__":
    main()
