#include "app/dialogs/add_city_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/add_city_rules.h"
#include "core/number_text.h"
#include "world/city_database.h"
#include "world/favorites_list.h"

namespace zt::app {
namespace {

using city_parts::qt_text;
namespace msgbox = platform::msgbox;

// In English: the dialog's look translates captions and list items alike, and the names of
// countries, states and cities are not in the text table.
QLabel* caption(const char16_t* english, QWidget* parent) { return new QLabel(qt_text(english), parent); }

}  // namespace

CAddCityDialog::CAddCityDialog(const AddCityRequest& request, world::CityDatabase& database,
                               world::FavoritesList& favourites, QWidget* parent, CustomCityOpener custom_city)
    : CProgramDialog(request.mode == AddCityRequest::Mode::Add ? u"Add City" : u"Change City", parent),
      m_database(database),
      m_favourites(favourites),
      m_request(request),
      m_custom_city(custom_city ? std::move(custom_city)
                                : CustomCityOpener([this](world::CityRecord& city) { return run_custom_city_dialog(city, true, this); })),
      m_options(core::load_add_city_options()) {
    const bool adding = request.mode == AddCityRequest::Mode::Add;
    m_remembered_region = adding ? m_options.state : request.region_index;
    m_remembered_city = adding ? m_options.city : request.city_id;
    m_recent = first_countries(database, m_options.counts, adding ? 0 : request.country_index);
    m_country_rows = country_rows(database, m_recent);

    auto* form = new QWidget(this);
    m_country = city_parts::new_list(form);
    for (uint32_t index : m_country_rows)
        m_country->addItem(index == 0 ? qt_text(kCountrySeparator) : qt_text(database.country(index)->name));
    m_by_zip = new QRadioButton(QStringLiteral("Select by ZIP"), form);
    m_by_city = new QRadioButton(QStringLiteral("Select by City"), form);
    m_zip_row = new QWidget(form);
    m_zip = new QLineEdit(m_zip_row);
    m_search = new QPushButton(QStringLiteral("Search"), m_zip_row);
    auto* zip_line = new QHBoxLayout(m_zip_row);
    zip_line->setContentsMargins(0, 0, 0, 0);
    zip_line->addWidget(m_zip, 1);
    zip_line->addWidget(m_search);
    m_state = city_parts::new_list(form);
    m_city = city_parts::new_list(form);
    m_form.emplace(*form,
                   std::vector<city_parts::FormRow> { { caption(u"Country:", form), m_country },
                                                      { nullptr, m_by_zip },
                                                      { nullptr, m_zip_row },
                                                      { nullptr, m_by_city },
                                                      { caption(u"State:", form), m_state },
                                                      { caption(u"City:", form), m_city } },
                   2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form);
    layout->addStretch();
    auto* buttons = city_parts::make_dialog_buttons(*this, kAddCityHelpTopic);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    city_parts::fill_screen(*this);

    connect(m_country, &QComboBox::currentIndexChanged, this, [this](int row) { country_chosen(row); });
    connect(m_state, &QComboBox::currentIndexChanged, this, [this](int row) { state_chosen(row); });
    connect(m_by_zip, &QRadioButton::toggled, this, [this](bool on) {
        if (on) set_zip_mode(true);
    });
    connect(m_by_city, &QRadioButton::toggled, this, [this](bool on) {
        if (on) set_zip_mode(false);
    });
    connect(m_search, &QPushButton::clicked, this, [this] { search(); });
    connect(m_zip, &QLineEdit::returnPressed, this, [this] { search(); });

    const int first = landing_row(m_country_rows, 0);
    {
        const QSignalBlocker quiet(m_country);
        m_country->setCurrentIndex(first);
    }
    country_chosen(first);
}

CAddCityDialog::~CAddCityDialog() = default;

uint32_t CAddCityDialog::selected_country() const {
    const int row = m_country->currentIndex();
    return row < 0 ? 0 : m_country_rows[static_cast<size_t>(row)];
}

uint32_t CAddCityDialog::selected_region() const {
    const int row = m_state->currentIndex();
    return row < 0 || row >= static_cast<int>(m_region_rows.size()) ? 0 : m_region_rows[static_cast<size_t>(row)];
}

void CAddCityDialog::country_chosen(int row) {
    const int landing = landing_row(m_country_rows, row);
    if (landing != row) {
        // The separator chooses nothing: the country above it is chosen instead.
        m_country->setCurrentIndex(landing);
        return;
    }
    const uint32_t country = selected_country();
    const world::CountryRecord* record = m_database.country(country);
    m_region_rows.clear();
    {
        const QSignalBlocker quiet(m_state);
        m_state->clear();
        int remembered = 0;
        if (record) {
            for (uint32_t position = 0; position < m_database.regions_of(country).size(); ++position) {
                const uint32_t index = record->first_region_index + position + 1;
                if (index == m_remembered_region) remembered = static_cast<int>(position);
                m_region_rows.push_back(index);
                m_state->addItem(qt_text(m_database.regions_of(country)[position].name));
            }
        }
        m_state->setCurrentIndex(m_region_rows.empty() ? -1 : remembered);
    }
    fill_cities(selected_region());

    const bool zip_country = country != 0 && country == m_database.zip_country();
    m_by_zip->setVisible(zip_country);
    m_by_city->setVisible(zip_country);
    m_zip_row->setVisible(zip_country);
    m_by_city->setChecked(true);
    set_zip_mode(false);
}

void CAddCityDialog::state_chosen(int /*row*/) { fill_cities(selected_region()); }

void CAddCityDialog::fill_cities(uint32_t region_index) {
    const QSignalBlocker quiet(m_city);
    m_city->clear();
    m_cities.clear();
    if (const uint32_t country = selected_country()) m_database.list_cities(country, region_index, m_cities);
    int remembered = m_cities.empty() ? -1 : 0;
    for (size_t row = 0; row < m_cities.size(); ++row) {
        m_city->addItem(qt_text(m_cities[row].name_view()));
        if (m_cities[row].id == m_remembered_city) remembered = static_cast<int>(row);
    }
    m_city->setCurrentIndex(remembered);
}

void CAddCityDialog::set_zip_mode(bool zip) {
    m_zip->setEnabled(zip);
    m_search->setEnabled(zip);
    m_state->setEnabled(!zip && !m_region_rows.empty());
    m_city->setEnabled(!zip);
    // Choosing by ZIP code starts with no city: OK takes only what a search found.
    if (zip) m_city->setCurrentIndex(-1);
    else if (m_city->currentIndex() < 0 && !m_cities.empty()) m_city->setCurrentIndex(0);
}

void CAddCityDialog::search() {
    // Read as the records' numbers are: leading blanks, digits, nothing after them counts.
    const auto zip = core::scan_unsigned(m_zip->text().toStdU16String());
    if (!zip) {
        city_parts::show_box(u"Invalid ZIP code format.", msgbox::Icon::Error);
        return;
    }
    world::CityRecord found;
    if (m_database.find_by_zip(*zip, found) && found.country_index == selected_country()) {
        m_remembered_region = found.region_index;
        m_remembered_city = found.id;
        for (size_t row = 0; row < m_region_rows.size(); ++row) {
            if (m_region_rows[row] == found.region_index) m_state->setCurrentIndex(static_cast<int>(row));
        }
        fill_cities(found.region_index);
        m_by_city->setChecked(true);
        return;
    }
    if (!city_parts::ask(u"The city with such ZIP code was not found in the database. Would you like to add the city "
                         u"as a custom city?"))
        return;
    world::CityRecord custom;
    custom.id = world::kFirstCustomCityId;
    if (!m_custom_city(custom)) return;
    m_result = custom;
    QDialog::accept();
}

void CAddCityDialog::accept() {
    const int row = m_city->currentIndex();
    if (row < 0 || row >= static_cast<int>(m_cities.size())) {
        city_parts::show_box(u"No city is chosen", msgbox::Icon::Error);
        return;
    }
    const world::CityRecord& chosen = m_cities[static_cast<size_t>(row)];
    const bool adding = m_request.mode == AddCityRequest::Mode::Add;
    if (adding && m_favourites.contains(chosen.id)) {
        city_parts::show_box(u"The chosen city already exists.", msgbox::Icon::Warning);
        return;
    }
    put_recent_country(m_recent, chosen.country_index);
    if (adding) {
        m_options.state = chosen.region_index;
        m_options.city = chosen.id;
        m_options.counts = m_recent;
        core::save_add_city_options(m_options);
    }
    m_result = chosen;
    QDialog::accept();
}

void CAddCityDialog::resizeEvent(QResizeEvent* event) {
    if (m_form) m_form->follow_screen();
    CProgramDialog::resizeEvent(event);
}

std::optional<world::CityRecord> run_add_city_dialog(const AddCityRequest& request, QWidget* parent) {
    CAddCityDialog dialog(request, world::CityDatabase::instance(), world::FavoritesList::instance(), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.result();
}

}  // namespace zt::app
