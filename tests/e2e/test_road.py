#!/usr/bin/env python3
"""End-to-end tests: real ZUNTA_Run, ZUNTA_Test and zunta-devserver processes under an X
server, driven from outside. Run: xvfb-run -a python3 tests/e2e/test_road.py --build <dir>"""
import argparse
import configparser
import pathlib
import sys
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import zunta_road as z  # noqa: E402

BUILD = None


class RoadTest(unittest.TestCase):
    def setUp(self):
        self.road = z.Road(BUILD).install()
        self.addCleanup(self.road.close)

    def media_files(self):
        return sorted(p.name for p in self.road.media.iterdir()) if self.road.media.exists() else []

    def assertRecordedSample(self, record):
        self.assertEqual(record["idkey"], "1001")
        self.assertEqual(record["testidkey"], "5001")
        self.assertEqual(record["uid"], "student01")
        self.assertEqual(int(record["tcnt"]), z.SAMPLE_EXPECTED["tcnt"])
        self.assertEqual(int(record["scnt"]), z.SAMPLE_EXPECTED["scnt"])
        self.assertEqual(record["odap"], z.SAMPLE_EXPECTED["odap"])
        self.assertEqual(record["wrongAnswers"], z.SAMPLE_EXPECTED["wrong"])

    def take_sample_test(self):
        window = z.Window.find(z.TEST_WINDOW)
        self.assertIn("중학 영문법", window.name())
        z.take_test(window, z.SAMPLE_ANSWERS)
        return window

    def test_registration_then_link_to_recorded_result(self):
        road = self.road.start_server()
        # Without a link the launcher registers the scheme and quits at once.
        registration = road.start_launcher()
        self.assertEqual(registration.wait(20), 0)
        entry = road.home / ".local/share/applications"
        desktop = list(entry.glob("*.desktop"))
        self.assertEqual(len(desktop), 1)
        text = desktop[0].read_text()
        self.assertIn("MimeType=x-scheme-handler/zurun;", text)
        self.assertIn(f'Exec="{road.launcher}" %u', text)
        mimeapps = configparser.ConfigParser(strict=False)
        mimeapps.read(road.home / ".config/mimeapps.list")
        self.assertEqual(mimeapps["Default Applications"]["x-scheme-handler/zurun"],
                         desktop[0].name)

        launcher = road.start_launcher(z.link())
        window = self.take_sample_test()
        # The launcher ended half a second after starting the test client.
        self.assertEqual(launcher.wait(20), 0)
        z.wait_for("the study log", lambda: road.results(), timeout=20)
        time.sleep(0.5)
        window.click(*z.RESULT_PICTURE)
        road.wait_test_client_gone()

        records = road.results()
        self.assertEqual(len(records), 1)
        self.assertRecordedSample(records[0])
        self.assertEqual(self.media_files(),
                         ["MyDataStudy.txt", "MyQList.txt", "MyStudyStudy.txt", "MyTitleStudy.txt",
                          "MyVocaStudy.txt", "TempImg.txt", "TempQData.txt"])
        self.assertEqual((road.media / "MyTitleStudy.txt").read_text("utf-8"),
                         "중학 영문법 2학년: 시제, 가정법, 비교")
        result = road.result_txt()
        lines = result.split(b"\r\n")
        self.assertEqual(lines[0], b"Memo1")
        self.assertTrue(lines[-2].startswith(b">>>RS="), lines[-3:])
        self.assertTrue(lines[-3].startswith(f"{road.base}/admin/api_sendlog.php?".encode()))

    def test_server_down_then_retry(self):
        road = self.road
        launcher = road.start_launcher(z.link())
        window = z.Window.find(z.LAUNCHER_WINDOW)
        time.sleep(2.5)  # fade, timer, refused connection, failure panel
        self.assertIsNone(launcher.poll(), "the launcher must stay open after a failure")
        self.assertEqual(self.media_files(), [])
        road.start_server()
        window.focus()
        window.key("Return")  # "다시 시도" is the default button of the failure panel
        self.take_sample_test()
        self.assertEqual(launcher.wait(20), 0)
        z.wait_for("the study log", lambda: road.results(), timeout=20)
        self.assertRecordedSample(road.results()[0])

    def test_redirect_is_a_failure_and_close_ends_the_launcher(self):
        road = self.road.start_server()
        road.arm_fault("path=/admin/api_getdata.php&mode=status&status=302&count=1")
        launcher = road.start_launcher(z.link())
        window = z.Window.find(z.LAUNCHER_WINDOW)
        time.sleep(2.5)
        self.assertIsNone(launcher.poll())
        self.assertEqual(self.media_files(), [])
        window.focus()
        window.key("Tab", "Return")  # "닫기"
        self.assertEqual(launcher.wait(20), 0)
        self.assertEqual(road.test_client_pids(), [])
        # The guard is free again: the next link goes through.
        second = road.start_launcher(z.link())
        z.Window.find(z.TEST_WINDOW)
        self.assertEqual(second.wait(20), 0)
        z.close_through_close_zone(z.Window.find(z.TEST_WINDOW))
        road.wait_test_client_gone()
        self.assertEqual(road.results(), [])  # abandoned: nothing reported

    def test_refused_study_log_is_sent_at_the_next_start(self):
        road = self.road.start_server()
        road.arm_fault("path=/admin/api_sendlog.php&mode=status&status=500&count=1")
        road.start_launcher(z.link())
        window = self.take_sample_test()
        outbox = road.media / "StudyLogOutbox.txt"
        z.wait_for("the unsent request in the outbox", outbox.exists, timeout=20)
        time.sleep(1.0)
        window.click(*z.RESULT_PICTURE)
        road.wait_test_client_gone()
        self.assertEqual(road.results(), [])
        self.assertTrue(outbox.read_bytes().startswith(road.base.encode()))
        self.assertIn(b">>>ERR=", road.result_txt())

        # The next test client start sends it before it loads its test.
        road.start_launcher(z.link())
        z.wait_for("the resent study log", lambda: road.results(), timeout=20)
        self.assertRecordedSample(road.results()[0])
        z.wait_for("the outbox to be emptied", lambda: not outbox.exists(), timeout=20)
        z.close_through_close_zone(z.Window.find(z.TEST_WINDOW))
        road.wait_test_client_gone()
        self.assertEqual(len(road.results()), 1)

    def test_second_link_is_taken_over_by_a_failed_launcher(self):
        road = self.road
        first = road.start_launcher(z.link(uid="first"))
        z.Window.find(z.LAUNCHER_WINDOW)
        time.sleep(2.5)
        self.assertIsNone(first.poll())
        road.start_server()
        second = road.start_launcher(z.link(uid="second", chk="88bb"))
        self.assertEqual(second.wait(10), 0)  # ends at once in the guard
        window = self.take_sample_test()
        self.assertEqual(first.wait(20), 0)
        z.wait_for("the study log", lambda: road.results(), timeout=20)
        window.click(*z.RESULT_PICTURE)
        road.wait_test_client_gone()
        self.assertRecordedSample(road.results()[0])
        # The fetch went out with the second start's parameters.
        study = (road.media / "MyStudyStudy.txt").read_text("utf-8")
        self.assertIn("&userid=second&", study)
        self.assertTrue(study.endswith("&uchecksum=88bb"), study)


def main():
    global BUILD
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    args, rest = parser.parse_known_args()
    BUILD = args.build
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
