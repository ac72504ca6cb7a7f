// SPDX-License-Identifier: GPL-3.0-or-later
#include "html.h"

#include <ctime>

#include "textes_pages.h"

namespace {

const char* const kStyle =
    "body{margin:0;background:#0c0907 linear-gradient(#0c0907 12rem,#1d3461) fixed;color:#fff;"
    "font:1rem/1.5 'DejaVu Sans',Verdana,sans-serif}"
    "main{max-width:42rem;margin:0 auto;padding:0 .8rem 2rem}"
    "header img{display:block;width:100%;max-width:24rem;height:auto;margin:0 auto}"
    "h1{font-size:1.5rem;margin:.5rem 0 1rem;text-align:center}"
    "a{color:#dd896b}a:hover{color:#ffb08f}"
    "table{width:100%;border-collapse:collapse;background:rgba(0,0,0,.35)}"
    "th,td{padding:.35rem .5rem;text-align:left;border-bottom:1px solid rgba(255,255,255,.12)}"
    "th{color:#dd896b;font-weight:bold;white-space:nowrap}td.n{text-align:right;white-space:nowrap}"
    "td.nom{overflow-wrap:anywhere;width:50%}td.d{font-size:.8rem;white-space:nowrap}"
    ".marque{display:block;font-size:2.6rem;font-weight:bold;letter-spacing:.3rem;text-align:center;"
    "text-decoration:none;margin:1rem 0 0}"
    "tr.nouveau td{background:#dd896b;color:#111;font-weight:bold}"
    ".boite{background:rgba(0,0,0,.35);padding:1rem;border-radius:.4rem}"
    ".erreur{border-left:.3rem solid #e24;padding:.5rem 1rem;background:rgba(226,34,68,.18)}"
    "input[type=text]{font-size:1.1rem;width:100%;box-sizing:border-box;padding:.5rem;margin:.4rem 0 .8rem}"
    "button{font-size:1.1rem;padding:.5rem 1.2rem;background:#dd896b;color:#111;border:0;border-radius:.3rem}"
    "img.apercu{display:block;max-width:100%;height:auto;border-radius:.3rem}.sans{font-size:.8rem;opacity:.7}"
    "footer{margin-top:1.5rem;font-size:.85rem;text-align:center;opacity:.8}";

}  // namespace

std::string echapperHtml(const std::string& texte) {
    std::string s;
    s.reserve(texte.size());
    for (char c : texte) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        case '\'': s += "&#39;"; break;
        default: s += c;
        }
    }
    return s;
}

std::string dateLisible(int64_t date) {
    const std::time_t t = static_cast<std::time_t>(date);
    std::tm tm{};
    char texte[32] = "";
    if (gmtime_r(&t, &tm)) std::strftime(texte, sizeof texte, "%Y-%m-%d %H:%M UTC", &tm);
    return texte;
}

std::string dateIso(int64_t date) {
    const std::time_t t = static_cast<std::time_t>(date);
    std::tm tm{};
    char texte[32] = "";
    if (gmtime_r(&t, &tm)) std::strftime(texte, sizeof texte, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return texte;
}

std::string pageHtml(const std::string& titre, const std::string& corps, bool logo) {
    return "<!DOCTYPE html>\n<html lang=\"" + languePages() + "\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" + echapperHtml(titre) + " \xe2\x80\x93 Vorna</title><style>" + kStyle + "</style></head>\n"
           "<body><main><header>" +
           (logo ? "<a href=\"/\"><img src=\"/logo.jpg\" alt=\"Vorna\" width=\"1024\" height=\"512\"></a>"
                 : "<a class=\"marque\" href=\"/\" role=\"heading\" aria-level=\"1\">Vorna</a>") +
           "</header>\n<h1>" + echapperHtml(titre) + "</h1>\n" + corps +
           "\n<footer><a href=\"/\">" + textePage("Tous les niveaux") + "</a></footer></main></body></html>\n";
}
