#!/usr/bin/env python3
"""Writes the whole-run fixture of the test client and the Result.txt it must produce.

The expected run log is spelled out here line by line from the rules of loading, question
set-up, grading and the study log, and the address is encoded by an encoder of its own, so the
widget test compares the program against an independent statement of the result. "{SERVER}"
stands for the test server's address, which the test fills in. Run again after a change.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent / "run_basic"
SERVER = "{SERVER}"

PACKAGE_LINES = [
    "<RESULT>OK</RESULT>",
    "<SUBJECT>중학 영문법: 시제와 대명사</SUBJECT>",
    "<UID>stu 7</UID>",
    "<IDKEY>1203</IDKEY>",
    "<TESTIDKEY>5501</TESTIDKEY>",
    "<QCOUNT>5</QCOUNT>",
    "<QLIST>q1",
    "q2",
    "q3",
    "q4",
    "q5</QLIST>",
    f"<QDATA>1={SERVER}/pictures/q1.png@@@BR@@@4={SERVER}/pictures/q4.png?size=big&v=2</QDATA>",
    "<Q1>1|3|0</Q1>",
    "<Q2>2|went",
    "gone|1</Q2>",
    "<Q3>3|2,4|0</Q3>",
    "<Q4>4|o|1</Q4>",
    "<Q5>5|나는 학생|1</Q5>",
]

# What the student does (the test drives the widgets so): the answer that reaches grading.
KOREAN_WRONG = "학생 & 나="

PASS = set(b"&-./0123456789:;=?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz")


def url_encode(data: bytes) -> bytes:
    return b"".join(bytes([c]) if c in PASS else b"%%%02X" % c for c in data)


def cp(text: str) -> bytes:
    return text.encode("cp949")


def grading(q, correct, ua, ua2, right, stored=None):
    lines = [f"****** {q}) =>{correct}//UA={ua}//UA2={ua2}"]
    if right:
        lines += [" <<< 정답 !!!! >>>", " -----------------", " -----------------", f"{q}) 다음 문제로 >>"]
    else:
        lines += [" <<< 오답 @@@@@@@ >>>", f" -----------------{q}", stored]
    return lines


def shown(q, type_, entry, parts, picture):
    return [
        f"*** TIMER QNO={q}/5",
        f"{q}.LoadStudyForm(1) 문제형식={type_}///{entry}//주관식 답 갯수={parts}",
        f"{q}.{picture}",
        entry,
    ]


def main():
    HERE.joinpath("media").mkdir(parents=True, exist_ok=True)
    package = "".join(line + "\r\n" for line in PACKAGE_LINES)
    HERE.joinpath("media", "MyDataStudy.txt").write_bytes(package.encode("utf-8"))

    log = ["Memo1"] + PACKAGE_LINES + ["", "-- 총 문제수=5"]
    log += shown(1, "0", "1|3|0", 0, f"{SERVER}/pictures/q1.png")
    log += grading(1, "3", "3", "3", True)
    log += shown(2, "1", "2|went@@gone|1", 2, "")
    log += grading(2, "went@@gone", "gone,went", "gone@@went", False, "gone@@went")
    log += shown(3, "0", "3|2,4|0", 0, "")
    log += grading(3, "2,4", "2,4", "2@@4", True)
    log += shown(4, "1", "4|o|1", 1, f"{SERVER}/pictures/q4.png?size=big&v=2")
    log += grading(4, "o", "O", "O", True)
    log += shown(5, "1", "5|나는 학생|1", 1, "")
    log += grading(5, "나는 학생", KOREAN_WRONG, KOREAN_WRONG, False, KOREAN_WRONG)
    log_bytes = [cp(line) for line in log]

    # The wrong answers: encoded, with "&" and "=" escaped too; then the whole address again.
    def wrong(text):
        return url_encode(cp(text)).replace(b"&", b"%26").replace(b"=", b"%3D")

    odap = b"OXOOX&qa2=" + wrong("gone@@went") + b"&qa5=" + wrong(KOREAN_WRONG)
    address = url_encode(
        cp(SERVER) + b"/admin/api_sendlog.php?idkey=1203&testidkey=5501&uid=" + cp("stu 7")
        + b"&tcnt=5&scnt=3&stat=Y&odap=" + odap)
    # url_encode turned the braces of the placeholder into escapes: put the placeholder back.
    address = address.replace(url_encode(b"{SERVER}"), b"{SERVER}")
    log_bytes += [address, b">>>RS=OK saved"]

    HERE.joinpath("expected", "Result.txt").write_bytes(b"".join(l + b"\r\n" for l in log_bytes))
    HERE.joinpath("expected", "request_target.txt").write_bytes(
        address.replace(b"{SERVER}", b"") + b"\n")


if __name__ == "__main__":
    main()
