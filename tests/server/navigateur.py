#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The player's browser in the leaderboard's end-to-end test: started by the
game with the score link, it opens it twice in headless Chromium through
Selenium, names the score "Bille Öst" then "<script>alert(1)</script>" (or
the names of $VORNA_SELENIUM_NOMS, one a line), and
writes, to $VORNA_SELENIUM_RESULTAT, the link it got and for each name the
page title, the address the form led to, the highlighted row, how many lines
its date takes on a 390-pixel-wide phone and whether an alert showed.
With $VORNA_SELENIUM_CARTE set, it opens a published map's page instead and
writes its heading, the width its overview was decoded to (0 when the
picture did not load) and the first row of its leaderboard."""
import os
import sys
import tempfile

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By


def nommer(pilote, url, nom):
    pilote.get(url)
    titre = pilote.find_element(By.TAG_NAME, "h1").text
    pilote.find_element(By.NAME, "nom").send_keys(nom)
    pilote.find_element(By.CSS_SELECTOR, "button[type=submit]").click()
    ligne = pilote.find_element(By.ID, "nouveau").text
    date = pilote.find_element(By.CSS_SELECTOR, "#nouveau td.d")
    lignes_date = pilote.execute_script(
        "const r = document.createRange(); r.selectNodeContents(arguments[0]);"
        "return new Set([...r.getClientRects()].map(c => Math.round(c.top))).size;", date)
    try:
        pilote.switch_to.alert
        alerte = "alert"
    except NoAlertPresentException:
        alerte = "none"
    return f"{titre}|{pilote.current_url}|{ligne}|{lignes_date}|{alerte}"


def carte(pilote, url):
    pilote.get(url)
    titre = pilote.find_element(By.TAG_NAME, "h1").text
    image = pilote.find_element(By.CSS_SELECTOR, "img.apercu")
    largeur = pilote.execute_script(
        "const i = arguments[0]; return i.complete ? i.naturalWidth : -1;", image)
    ligne = pilote.find_element(By.CSS_SELECTOR, "table tr:nth-child(2)").text
    return f"{titre}|{largeur}|{ligne}"


def main():
    url, resultat = sys.argv[1], os.environ["VORNA_SELENIUM_RESULTAT"]
    journal = os.open(resultat + ".log", os.O_WRONLY | os.O_CREAT | os.O_TRUNC)
    os.dup2(journal, 1)
    os.dup2(journal, 2)
    lignes = ["url:" + url]
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for a in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
              "--window-size=390,900", "--user-data-dir=" + tempfile.mkdtemp(prefix="vorna-chromium-")):
        options.add_argument(a)
    # A French visitor: the pages answer in French.
    options.add_argument("--lang=fr-FR")
    options.add_experimental_option("prefs", {"intl.accept_languages": "fr-FR,fr"})
    pilote = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    pilote.implicitly_wait(20)
    try:
        if os.environ.get("VORNA_SELENIUM_CARTE"):
            lignes.append(carte(pilote, url))
        else:
            noms = os.environ.get("VORNA_SELENIUM_NOMS", "Bille Öst\n<script>alert(1)</script>")
            for nom in noms.split("\n"):
                lignes.append(nommer(pilote, url, nom))
    except Exception as e:  # said in the result, for the test to show
        lignes.append("error: " + repr(e))
    finally:
        pilote.quit()
    with open(resultat + ".tmp", "w", encoding="utf-8") as f:
        f.write("\n".join(lignes) + "\n")
    os.rename(resultat + ".tmp", resultat)


main()
