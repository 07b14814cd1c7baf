#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the demo directory's home page in headless Chromium: submits a hotspot through the
form, finds it with a search, and has a form with a forbidden value refused and returned as
typed. Prints one line per check; exits 1 when any fails."""
import sys
import urllib.parse
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select

base, shots = sys.argv[1], sys.argv[2]
failures = 0


def check(what, ok, detail=""):
    global failures
    print(("ok    " if ok else "FAIL  ") + what + (f": {detail}" if detail and not ok else ""))
    if not ok:
        failures += 1


def fill(driver, values):
    for key, value in values.items():
        element = driver.find_element(By.NAME, key)
        if element.tag_name == "select":
            Select(element).select_by_value(value)
        else:
            element.clear()
            element.send_keys(value)


options = webdriver.ChromeOptions()
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1000,1400"):
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get(base + "/")
    check("home page title", driver.title == "Pellomar hotspot directory", driver.title)
    figures = driver.find_element(By.ID, "figures").text
    check("home page figures", "hotspots in" in figures, figures)
    driver.save_screenshot(f"{shots}/home.png")

    city = "Zermatt Höhe"
    good = {
        "name": "Café Matterhorn Blick", "type": "2", "operator": "Alpen Wi-Fi",
        "website": "www.matterhornblick.example", "phone": "+41 27 966 0000",
        "email": "info@matterhornblick.example", "loctype": "CAFE", "address": "Bahnhofstrasse 7",
        "zipcode": "3920", "city": city, "country": "CH", "latitude": "46.0207",
        "longitude": "7.7491", "technology": "3", "ssid": "SSID: blick-guest",
        "description": "Terrace facing the mountain.",
    }
    fill(driver, good)
    driver.find_element(By.ID, "submit").click()
    notices = driver.find_elements(By.ID, "notice")
    check("valid submission accepted", bool(notices) and "is now in the directory" in notices[0].text,
          notices[0].text if notices else driver.page_source[:300])
    driver.save_screenshot(f"{shots}/accepted.png")

    query = urllib.parse.urlencode({"country": "CH", "city": city})
    with urllib.request.urlopen(f"{base}/browse-app.php?{query}") as reply:
        body = reply.read().decode("utf-8")
    fields = body.replace("\r\n", "").split("END")[0].split("<>")
    check("submitted hotspot found by a search",
          len(fields) == 17 and fields[0] == good["name"] and fields[6] == "Café" and fields[9] == city, body[:200])

    driver.get(base + "/")
    bad = dict(good, name="LEGEND Café", city="Refusal Dorf")
    fill(driver, bad)
    driver.find_element(By.ID, "submit").click()
    errors = driver.find_elements(By.ID, "errors")
    check("forbidden letters refused with a message",
          bool(errors) and "capital letters END" in errors[0].text, driver.page_source[:300])
    kept = driver.find_element(By.NAME, "name").get_attribute("value")
    check("refused form keeps what was typed", kept == bad["name"], kept)
    selected = Select(driver.find_element(By.NAME, "country")).first_selected_option.get_attribute("value")
    check("refused form keeps the chosen country", selected == "CH", selected)
    driver.save_screenshot(f"{shots}/refused.png")

    query = urllib.parse.urlencode({"country": "CH", "city": "Refusal Dorf"})
    with urllib.request.urlopen(f"{base}/browse-app.php?{query}") as reply:
        body = reply.read().decode("utf-8")
    check("refused hotspot not stored", "<>" not in body, body[:200])
finally:
    driver.quit()

print(f"screenshots in {shots}")
sys.exit(1 if failures else 0)
