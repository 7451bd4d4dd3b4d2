#!/usr/bin/env python3
"""Writes the media files the launcher must make from tests/data/package_basic/reply_cp949.txt.

The expected bytes are stated here by hand from the media-file rules (not produced by the
launcher), so the tests compare the launcher against an independent statement. Run again after
changing the reply fixture; it rewrites basic/.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
REPLY = (HERE.parent / "package_basic" / "reply_cp949.txt").read_bytes()

BASE = "http://127.0.0.1:8080"
LIST = "&ZURUN:UID=student01&CHK=ab12&IDKEY=1203&SNO=77"

QLIST_LINES = ["1|have been", "2|went", "3|gone", "4|O", "5|뒤에 남는 줄"]
TITLE = "중학 영문법 3단원: 현재완료"
WORK = (BASE + "/mytest/mytest_mywork.php?bookidkey=1203&userid=student01"
        "&mywork=<MYWORK>&myall=<MYSTUDY>&mytime=<MYTIME>&uchecksum=ab12")


def main():
    out = HERE / "basic"
    out.mkdir(exist_ok=True)
    (out / "launch_list.txt").write_bytes(LIST.encode("ascii"))
    (out / "MyDataStudy.txt").write_bytes(REPLY.decode("cp949").encode("utf-8"))
    (out / "MyVocaStudy.txt").write_bytes("".join(l + "\r\n" for l in QLIST_LINES).encode("utf-8"))
    (out / "MyTitleStudy.txt").write_bytes(TITLE.encode("utf-8"))
    (out / "MyStudyStudy.txt").write_bytes(WORK.encode("utf-8"))


if __name__ == "__main__":
    main()
