#!/usr/bin/env python3
"""Writes the sample test that the devserver ships: packages/1001.txt and pictures/1001/q*.svg.

The package is stored as the organisation's server sends it: code page 949, CR LF line breaks.
"{{BASE}}" stands where the server's own address goes; the server fills it in when it answers.
Run again after changing a question; it rewrites both folders' files of test 1001.
"""
import pathlib
from xml.sax.saxutils import escape

HERE = pathlib.Path(__file__).resolve().parent.parent
KEY = "1001"
PICS = "{{BASE}}/pictures/" + KEY

# (type, correct answer as it stands in the package, Korean instruction, English lines, choices)
QUESTIONS = [
    ("0", "2", "빈칸에 알맞은 것을 고르세요.",
     ["Tom ______ to school every day."],
     ["go", "goes", "going", "gone", "to go"]),
    ("1", "lived", "괄호 안의 동사를 알맞은 형태로 쓰세요.",
     ["I have ______ in Seoul since 2019. (live)"], []),
    ("1", "were@@would", "빈칸 두 곳에 알맞은 말을 차례로 쓰세요.",
     ["If I ______ a bird,", "I ______ fly to you."], []),
    ("0", "2,4", "어법상 옳은 문장을 두 개 고르세요.",
     [],
     ["She don't like milk.", "He has finished his homework.", "They was happy yesterday.",
      "I am taller than my brother.", "We goes to the park on Sundays."]),
    ("1", "X", "문장이 어법상 맞으면 O, 틀리면 X를 쓰세요.",
     ["He don't like apples."], []),
    # The two parts on two lines: the reader joins them with "@@".
    ("1", "taller\r\ntallest", "괄호 안의 단어를 알맞은 형태로 바꿔 쓰세요.",
     ["Jisu is ______ than Mina,", "and she is the ______ girl", "in our class. (tall)"], []),
]

TOPICS = ["현재시제", "현재완료", "가정법 과거", "문장 고르기", "O/X 판단", "비교급과 최상급"]


def package():
    lines = [
        "<RESULT>OK</RESULT>",
        "<COMMENT>정상</COMMENT>",
        "<SUBJECT>중학 영문법 2학년: 시제, 가정법, 비교</SUBJECT>",
        "<UID>student01</UID>",
        "<SNO>1</SNO>",
        f"<IDKEY>{KEY}</IDKEY>",
        "<TESTIDKEY>5001</TESTIDKEY>",
        "<CUTLINE>60</CUTLINE>",
        "<RETEST>N</RETEST>",
        "<DUEDATE>2026-12-31</DUEDATE>",
        f"<QCOUNT>{len(QUESTIONS)}</QCOUNT>",
        "<QLIST>",
        *[f"{n},{topic}" for n, topic in enumerate(TOPICS, 1)],
        "</QLIST>",
        # Pictures 1 to 3 joined on one line, the rest one per line: both forms occur.
        "<QDATA>" + "@@@BR@@@".join(f"{n}={PICS}/q{n}.svg" for n in (1, 2, 3)),
        *[f"{n}={PICS}/q{n}.svg" for n in range(4, len(QUESTIONS) + 1)],
        "</QDATA>",
        *[f"<Q{n}>{n}|{answer}|{qtype}</Q{n}>"
          for n, (qtype, answer, *_rest) in enumerate(QUESTIONS, 1)],
        "<MP3></MP3>",
        "<PDF1></PDF1>",
        "<PDF2></PDF2>",
    ]
    return "\r\n".join(lines) + "\r\n"


def picture(instruction, sentences, choices):
    width, height = 520, 120 + 44 * (len(sentences) + len(choices))
    font = "NanumGothic, 'Malgun Gothic', sans-serif"
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">',
        f'<rect width="{width}" height="{height}" fill="#ffffff"/>',
        f'<rect x="1" y="1" width="{width - 2}" height="{height - 2}" fill="none" '
        'stroke="#c8c8c8" stroke-width="2"/>',
        f'<text x="24" y="48" font-family="{font}" font-size="20" fill="#1f4e79">'
        f'{escape(instruction)}</text>',
    ]
    y = 104
    for line in sentences:
        parts.append(f'<text x="24" y="{y}" font-family="{font}" font-size="22" '
                     f'fill="#000000">{escape(line)}</text>')
        y += 44
    for i, choice in enumerate(choices, 1):
        parts.append(f'<text x="40" y="{y}" font-family="{font}" font-size="22" '
                     f'fill="#000000">{i}) {escape(choice)}</text>')
        y += 44
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def main():
    (HERE / "packages").mkdir(exist_ok=True)
    (HERE / "packages" / f"{KEY}.txt").write_bytes(package().encode("cp949"))
    folder = HERE / "pictures" / KEY
    folder.mkdir(parents=True, exist_ok=True)
    for n, (_type, _answer, instruction, sentences, choices) in enumerate(QUESTIONS, 1):
        (folder / f"q{n}.svg").write_text(picture(instruction, sentences, choices),
                                          encoding="utf-8")


if __name__ == "__main__":
    main()
